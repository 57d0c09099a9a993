#!/usr/bin/env python3
"""Le bulletin mensuel vérifié sans le code du projet.

Les valeurs du mois, les rangs, les classes, les normales, les cumuls de
l'année hydrologique et les tendances sont recalculés ici, directement sur les
lignes brutes d'une base SQLite, puis comparés cellule par cellule au classeur
que `graphique bulletin` écrit, relu par openpyxl. Les demandes fautives
doivent sortir en code 2, sur une ligne, sans laisser de fichier.

    bulletin_attendu.py PROGRAMME BASE.db [--base TEXTE] [--mois MM/AAAA …] [--graine N]

--graine : BASE.db est d'abord faite par `graphique exemple` avec cette graine,
l'altitude d'un de ses piézomètres effacée ;

--base : la base que lit le programme (un serveur où BASE.db a été copiée) ;
les lignes brutes sont toujours lues dans BASE.db.
"""
import argparse
import calendar
import datetime
import math
import os
import sqlite3
import subprocess
import sys
import tempfile

import openpyxl

GENRES = {
    # genre : (table, colonne, total ?, libellé, unité, classes)
    "pluvio": ("PLUVIO_", "Pluie", True, "Pluviomètre", "mm",
               ["très sec", "sec", "normal", "humide", "très humide"]),
    "piezo": ("PZ_", "Valeur", False, "Piézomètre", "m",
              ["très bas", "bas", "autour de la normale", "haut", "très haut"]),
    "hydro": ("HYDRO_", "Debit", False, "Station hydrométrique", "m³/s",
              ["très bas", "bas", "autour de la normale", "haut", "très haut"]),
}
ENTETES = ["Code", "Station", "Genre", "Valeur du mois", "Unité", "Normale", "Rapport à la normale (%)", "Rang",
           "Classe", "Cumul de l'année hydrologique", "Normale cumulée", "Tendance"]


def mois_mesures(base, genre, code):
    """{(année, mois): (valeur, complet)} depuis chaque ligne de la table."""
    table, colonne, total, *_ = GENRES[genre]
    lignes = base.execute(f'SELECT DateCreation, "{colonne}", ModeObtention FROM "{table}{code}"').fetchall()
    groupes = {}
    for date, valeur, mode in lignes:
        if valeur is None or mode == "I":
            continue
        j = datetime.date.fromisoformat(str(date)[:10])
        groupes.setdefault((j.year, j.month), []).append((j.day, float(valeur)))
    resultat = {}
    for (a, m), g in groupes.items():
        valeurs = [v for _, v in g]
        if total:
            complet = len(g) >= calendar.monthrange(a, m)[1]
            resultat[(a, m)] = (sum(valeurs), complet)
        else:
            decades = {min((d - 1) // 10, 2) for d, _ in g}
            resultat[(a, m)] = (sum(valeurs) / len(valeurs), decades == {0, 1, 2})
    return resultat


def centile(triees, p):
    h = (len(triees) - 1) * p
    bas = math.floor(h)
    haut = min(bas + 1, len(triees) - 1)
    return triees[bas] + (h - bas) * (triees[haut] - triees[bas])


def classe(v, q):
    bornes = [(lambda x: x < q[0]), (lambda x: x < q[1]), (lambda x: x <= q[2]), (lambda x: x <= q[3])]
    for k, dedans in enumerate(bornes):
        if dedans(v):
            return k
    return 4


def mois_hydro(base):
    jours = [j for (j,) in base.execute("SELECT jour FROM PERIODES WHERE Hydro='01/02/'")]
    return min((int(j[3:5]) for j in jours), default=10)


def lu(genre, altitude, v):
    """Un niveau (rangé en profondeur négative) lu en cote NGF quand la station a une altitude, sinon en profondeur."""
    if genre != "piezo":
        return v
    return v + altitude if altitude is not None else -v


def attendu(base, station, annee, mois, debut_hydro):
    code, nom, genre, altitude = station
    _, _, total, libelle, unite, classes = GENRES[genre]
    mesures = mois_mesures(base, genre, code)
    if genre == "piezo":
        unite += " (cote NGF)" if altitude is not None else " (profondeur)"
    ligne = {"Code": code, "Station": nom, "Genre": libelle, "Unité": unite}
    if (annee, mois) not in mesures:
        return ligne, False
    v = mesures[(annee, mois)][0]
    autres = [x for (a, m), (x, complet) in mesures.items() if m == mois and a != annee and complet]
    echantillon = sorted(round(x, 2) for x in autres + [v])
    propre = round(v, 2)
    ligne["Valeur du mois"] = lu(genre, altitude, v)
    ligne["Rang"] = f"{1 + sum(x < propre for x in echantillon)}/{len(echantillon)}"
    if len(echantillon) >= 5:  # cinq classes, cinq années au moins
        ligne["Classe"] = classes[classe(propre, [centile(echantillon, p) for p in (0.2, 0.4, 0.6, 0.8)])]
    if genre == "pluvio":
        normales = dict(base.execute("SELECT mois, valeur FROM PLUVIOMETRE_NORMALES WHERE codePluviometre=? "
                                     "AND mois BETWEEN 1 AND 12 AND valeur IS NOT NULL", (code,)).fetchall())
        if mois in normales:
            ligne["Normale"] = normales[mois]
        premier = datetime.date(annee if mois >= debut_hydro else annee - 1, debut_hydro, 1)
        suite = []
        d = premier
        while (d.year, d.month) <= (annee, mois):
            suite.append((d.year, d.month))
            d = datetime.date(d.year + d.month // 12, d.month % 12 + 1, 1)
        ligne["Cumul de l'année hydrologique"] = sum(mesures.get(am, (0.0, False))[0] for am in suite)
        if all(m in normales for _, m in suite):
            ligne["Normale cumulée"] = sum(normales[m] for _, m in suite)
    elif genre == "hydro" and autres:
        ligne["Normale"] = sum(autres) / len(autres)
    if "Normale" in ligne and ligne["Normale"]:
        ligne["Rapport à la normale (%)"] = 100 * v / ligne["Normale"]
    precedent = (annee, mois - 1) if mois > 1 else (annee - 1, 12)
    if genre != "pluvio" and precedent in mesures:
        ecart = v - mesures[precedent][0]
        seuil = 0.05 * (max(echantillon) - min(echantillon))
        ligne["Tendance"] = "stable" if abs(ecart) <= seuil else ("hausse" if ecart > 0 else "baisse")
    return ligne, True


def lancer(programme, arguments):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run([programme] + arguments, capture_output=True, text=True, env=env, timeout=600)


def relire(classeur):
    feuille = openpyxl.load_workbook(classeur)["Synthèse"]
    lignes = list(feuille.iter_rows(values_only=True))
    assert list(lignes[0]) == ENTETES, lignes[0]
    return [dict(zip(ENTETES, l)) for l in lignes[1:]]


def egal(a, b):
    if isinstance(a, float) or isinstance(b, float):
        return a is not None and b is not None and abs(a - b) <= 1e-6 * max(1.0, abs(a), abs(b))
    return a == b


def comparer(programme, brute, base, dossier, mois_texte, codes=None):
    m, a = (int(x) for x in mois_texte.split("/"))
    stations = [s for s in brute.execute("SELECT Code, Nom, Genre, Altitude FROM STATIONS") if s[2] in GENRES]
    if codes:
        stations = [s for c in codes for s in stations if s[0] == c]
    ordre = list(GENRES)
    stations.sort(key=lambda s: ordre.index(s[2]))
    hydro = mois_hydro(brute)
    attendues = []
    for s in stations:
        ligne, mesure = attendu(brute, s, a, m, hydro)
        if mesure or codes:
            attendues.append(ligne)
    pdf, xlsx = os.path.join(dossier, "b.pdf"), os.path.join(dossier, "b.xlsx")
    args = ["bulletin", "--base", base, "--mois", mois_texte, "--sortie", pdf, "--classeur", xlsx]
    if codes:
        args += ["--stations", ",".join(codes)]
    r = lancer(programme, args)
    fautes = [] if r.returncode == 0 else [f"{mois_texte} : code {r.returncode}, {r.stderr.strip()}"]
    if fautes:
        return fautes
    lues = relire(xlsx)
    if len(lues) != len(attendues):
        return [f"{mois_texte} : {len(lues)} lignes au lieu de {len(attendues)}"]
    for lue, voulue in zip(lues, attendues):
        for entete in ENTETES:
            if not egal(lue[entete], voulue.get(entete)):
                fautes.append(f"{mois_texte} {voulue['Code']} {entete} : {lue[entete]!r} au lieu de {voulue.get(entete)!r}")
    with open(pdf, "rb") as f:
        pages = f.read().count(b"/Type /Page\n")
    if pages != 1 + len(attendues):
        fautes.append(f"{mois_texte} : {pages} pages pour {len(attendues)} stations")
    return fautes


def refus(programme, base, dossier):
    """Chaque demande fautive : code 2, une ligne française, aucun fichier."""
    futur = datetime.date.today().replace(day=28) + datetime.timedelta(days=10)
    cas = [
        ["--mois", f"{futur.month:02d}/{futur.year}"],
        ["--mois", "01/2999"],
        ["--mois", "01/1950"],
        ["--mois", "13/2015"],
        ["--mois", "3-2015"],
        ["--mois", "03/2015", "--stations", "ZZZ99"],
        ["--mois", "03/2015", "--sortie-oubliee"],
    ]
    fautes = []
    for c in cas:
        pdf, xlsx = os.path.join(dossier, "r.pdf"), os.path.join(dossier, "r.xlsx")
        r = lancer(programme, ["bulletin", "--base", base, "--sortie", pdf, "--classeur", xlsx] + c)
        lignes = r.stderr.strip().splitlines()
        if r.returncode != 2 or len(lignes) != 1 or not lignes[0].startswith("graphique : "):
            fautes.append(f"{c} : code {r.returncode}, {r.stderr!r}")
        if os.path.exists(pdf) or os.path.exists(xlsx) or len(os.listdir(dossier)) != 0:
            fautes.append(f"{c} : fichiers laissés {os.listdir(dossier)}")
    return fautes


def main():
    p = argparse.ArgumentParser()
    p.add_argument("programme")
    p.add_argument("brute")
    p.add_argument("--base")
    p.add_argument("--mois", nargs="*", default=["03/2015", "10/2014", "09/2020", "02/2024", "12/1990"])
    p.add_argument("--graine")
    a = p.parse_args()
    if a.graine:
        r = lancer(a.programme, ["exemple", "--base", a.brute, "--graine", a.graine, "--remplacer"])
        if r.returncode != 0:
            sys.exit(f"base d'exemple impossible : {r.stderr}")
        # Un piézomètre sans altitude connue : ses niveaux se lisent en profondeur, ceux de l'autre en cote.
        with sqlite3.connect(a.brute) as b:
            b.execute("UPDATE STATIONS SET Altitude=NULL WHERE Code=(SELECT Max(Code) FROM STATIONS WHERE Genre='piezo')")
    brute = sqlite3.connect(a.brute)
    base = a.base or a.brute
    fautes = []
    with tempfile.TemporaryDirectory() as dossier:
        for mois in a.mois:
            fautes += comparer(a.programme, brute, base, dossier, mois)
        fautes += comparer(a.programme, brute, base, dossier, a.mois[0], ["H8043310", "00755X0031", "76402001"])
    with tempfile.TemporaryDirectory() as dossier:
        fautes += refus(a.programme, base, dossier)
    for f in fautes:
        print(f)
    print(f"{len(a.mois) + 1} bulletins recalculés, {len(fautes)} écart(s)")
    sys.exit(1 if fautes else 0)


if __name__ == "__main__":
    main()
