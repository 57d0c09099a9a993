#!/usr/bin/env python3
"""Le classeur de bench_classeur écrit par XlsxWriter, pour comparer.

100 ans de pluie journalière (36 525 lignes, dates au format
"DD/MM/YYYY hh:mm:ss", mêmes pluies que bench_classeur par le même
générateur), une feuille graphique en colonnes sur un axe de dates, avec
titre et légende. XlsxWriter (paquet Debian python3-xlsxwriter) ne sert
qu'à cette mesure, jamais au produit.

    python3 bench/classeur_xlsxwriter.py [--repetitions 9] [--ecrire F.xlsx] [--csv F.csv]

--csv écrit les mêmes pluies en CSV (JJ/MM/AAAA;pluie), pour que le
programme les importe et écrive le même classeur.

GRAPHIQUE_BANC_BREF=1 : une seule répétition par défaut.

Affiche la médiane, en millisecondes, du temps qui va des valeurs en
mémoire au fichier écrit.
"""
import argparse
import datetime
import os
import statistics
import sys
import tempfile
import time

try:
    import xlsxwriter
except ImportError:
    sys.exit("XlsxWriter absent : apt-get install python3-xlsxwriter")

JOURS = 36525  # du 01/01/1925 au 31/12/2024
PREMIER_JOUR = 9133  # jour de série du 01/01/1925


def pluies():
    """Six jours sur dix secs, sinon de 0,1 à 49,9 mm au dixième."""
    valeurs = []
    x = 20240101
    for _ in range(JOURS):
        x = (x * 1103515245 + 12345) & 0x7FFFFFFF
        valeurs.append(0.0 if x % 100 < 60 else ((x >> 8) % 499 + 1) / 10.0)
    return valeurs


def ecrire(chemin, valeurs):
    classeur = xlsxwriter.Workbook(chemin)
    feuille = classeur.add_worksheet("Données")
    format_date = classeur.add_format({"num_format": "DD/MM/YYYY hh:mm:ss"})
    feuille.write_string(0, 0, "Date")
    feuille.write_string(0, 1, "Pluie (mm)")
    for i, pluie in enumerate(valeurs):
        feuille.write_number(i + 1, 0, PREMIER_JOUR + i, format_date)
        feuille.write_number(i + 1, 1, pluie)
    graphique = classeur.add_chart({"type": "column"})
    graphique.add_series({
        "name": "Pluie (mm)",
        "categories": ["Données", 1, 0, JOURS, 0],
        "values": ["Données", 1, 1, JOURS, 1],
    })
    graphique.set_title({"name": "Pluie journalière de 1925 à 2024"})
    graphique.set_x_axis({"date_axis": True, "base_unit": "days", "num_format": "yyyy"})
    graphique.set_legend({"position": "right"})
    feuille_graphique = classeur.add_chartsheet()
    feuille_graphique.set_chart(graphique)
    feuille_graphique.activate()
    classeur.close()


def ecrire_csv(chemin, valeurs):
    premier = datetime.date(1925, 1, 1)
    with open(chemin, "w", encoding="ascii") as f:
        for i, pluie in enumerate(valeurs):
            f.write(f"{premier + datetime.timedelta(days=i):%d/%m/%Y};{pluie}\n")


def main():
    arguments = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    bref = os.environ.get("GRAPHIQUE_BANC_BREF", "") not in ("", "0")
    arguments.add_argument("--repetitions", type=int, default=1 if bref else 9)
    arguments.add_argument("--ecrire", metavar="FICHIER")
    arguments.add_argument("--csv", metavar="FICHIER")
    options = arguments.parse_args()
    valeurs = pluies()
    if options.csv:
        ecrire_csv(options.csv, valeurs)
        return
    if options.ecrire:
        ecrire(options.ecrire, valeurs)
        return
    durees = []
    with tempfile.TemporaryDirectory() as dossier:
        chemin = os.path.join(dossier, "pluie.xlsx")
        for _ in range(options.repetitions):
            debut = time.perf_counter()
            ecrire(chemin, valeurs)
            durees.append((time.perf_counter() - debut) * 1000)
    print(f"XlsxWriter {xlsxwriter.__version__} : médiane {statistics.median(durees):.0f} ms "
          f"(de {min(durees):.0f} à {max(durees):.0f} ms, {options.repetitions} répétitions)")


if __name__ == "__main__":
    main()
