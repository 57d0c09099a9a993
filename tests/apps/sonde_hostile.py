#!/usr/bin/env python3
"""Sonde hostile du programme graphique : des centaines de cas par famille
(codes de station, disque plein, arrêts brutaux, sans écran), chacun lancé
comme un utilisateur le lancerait. Pour chaque famille : cas essayés, refusés
proprement, lignes perdues, fichiers laissés, attentes sans fin. Sort en erreur au premier défaut compté.

    sonde_hostile.py GRAPHIQUE [--bref]
"""
import os
import random
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

PROGRAMME = sys.argv[1]
BREF = "--bref" in sys.argv
DELAI = 120
hasard = random.Random(29)


class Famille:
    def __init__(self, nom):
        self.nom, self.essais, self.refus, self.perdues, self.laisses, self.attentes = nom, 0, 0, 0, 0, 0
        self.defauts = []

    def defaut(self, texte):
        self.defauts.append(texte)

    def ligne(self):
        return (f"{self.nom:<24} {self.essais:>6} {self.refus:>7} {self.perdues:>7} {self.laisses:>7} "
                f"{self.attentes:>8} {len(self.defauts):>7}")


def lancer(famille, arguments, env=None, limite=None):
    """Le programme, borné dans le temps ; une attente sans fin est comptée."""
    e = dict(os.environ)
    e.update(env or {})
    for cle, valeur in list(e.items()):
        if valeur is None:
            del e[cle]
    try:
        r = subprocess.run([PROGRAMME] + arguments, capture_output=True, env=e, timeout=DELAI,
                           preexec_fn=limite)
    except subprocess.TimeoutExpired:
        famille.attentes += 1
        famille.defaut(f"attente sans fin : {' '.join(arguments)[:120]}")
        return None
    return r


def refus_propre(famille, r, contexte):
    """Code 2 et une seule ligne française sur la sortie d'erreur."""
    if r is None:
        return
    texte = r.stderr.decode("utf-8", "replace")
    if r.returncode != 2 or texte.count("\n") != 1 or not texte.startswith("graphique : "):
        famille.defaut(f"{contexte} : code {r.returncode}, « {texte.strip()[:200]} »")
    else:
        famille.refus += 1


def reussite(famille, r, contexte):
    if r is not None and r.returncode != 0:
        famille.defaut(f"{contexte} : code {r.returncode}, « {r.stderr.decode('utf-8', 'replace').strip()[:200]} »")
    return r is not None and r.returncode == 0


def provisoires(dossier):
    return sorted(f for f in os.listdir(dossier) if f.startswith(".graphique-"))


def lignes(base, table):
    with sqlite3.connect(base) as c:
        return c.execute(f'SELECT DateCreation, Heure, Pluie FROM "{table}" ORDER BY 1, 2').fetchall()


def ecrire(chemin, texte):
    with open(chemin, "w", encoding="utf-8") as f:
        f.write(texte)
    return chemin


def codes_de_station(d, base):
    f = Famille("codes de station")
    csv = ecrire(f"{d}/m.csv", "01/01/2023;5\n02/03/2023;3\n15/06/2023;7\n")
    acceptes = ["ABC", "SEA", "10M", "7A", "76402001_2", "76401002-1", "a-b-c", "X_F", "00471X0095_PZ1", "Z" * 33,
                "SELECT", "FROM", "NULL", "e1", "1e5", "0x1F", "_", "A_-B"]
    refuses = ["A--B", "X-", "-X", "A B", "A'B", "A;B", "é", "../x", "A/B", "A\tB", "A\"B", "Z" * 34, "A-", "--",
               "A,B", "A.B", "A*B", "A%B", "A(B)", "A#B", "A\\B", "Ω", "A+B", "A=B", "A<B"]
    if not BREF:
        acceptes += [hasard.choice("ABCXYZ") + "".join(hasard.choice("ABZ019_") for _ in range(hasard.randint(0, 12)))
                     for _ in range(40)]
        refuses += ["".join(hasard.choice("AB1-'; /.") for _ in range(hasard.randint(2, 10))) for _ in range(40)]
    # Un code par station : deux codes qui ne diffèrent que par la casse sont refusés (TestsHostile).
    acceptes = list({code.lower(): code for code in acceptes}.values())
    with sqlite3.connect(base) as c:
        for k, code in enumerate(acceptes):
            c.executemany("INSERT INTO PLUVIOMETRE_NORMALES (codePluviometre, mois, valeur) VALUES (?, ?, ?)",
                          [(code, m, 700 + k + m / 100) for m in range(1, 13)])
    for k, code in enumerate(acceptes):
        f.essais += 1
        r = lancer(f, ["importer", "--base", base, "--station", code, "--genre", "pluvio", "--csv", csv])
        if not reussite(f, r, f"import de {code!r}"):
            continue
        for genre in ["Annee", "edition", "comparaisonNormale"]:
            f.essais += 1
            journal = f"{d}/j.tsv"
            r = lancer(f, ["tracer", "--base", base, "--type", genre, "--station", code, "--annee", "2023", "--debut",
                           "01/01/2023", "--fin", "31/12/2023", "--sortie", f"{d}/a.png", "--journal", journal])
            if reussite(f, r, f"{genre} de {code!r}") and genre == "Annee":
                texte = open(journal, encoding="utf-8").read()
                if f"{700 + k}.07" not in texte or "77.7\t" in texte:
                    f.defaut(f"{code!r} tracé sans ses propres normales")
    for code in refuses:
        f.essais += 1
        r = lancer(f, ["importer", "--base", base, "--station", code, "--genre", "pluvio", "--csv", csv])
        refus_propre(f, r, f"code {code!r}")
    return f


def disque_plein(d, base):
    f = Famille("disque plein")
    limites = [1, 4, 16, 64] if not BREF else [4, 16]
    sorties = [("tracer", "png"), ("tracer", "svg"), ("tracer", "pdf"), ("exporter", "xlsx"), ("annuaire", "xlsx"),
               ("journal", "png"), ("bulletin", "pdf"), ("bulletin", "xlsx")]
    for kilos in limites:
        def limite(k=kilos):
            import resource
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (k * 1024, k * 1024))
        for commande, extension in sorties:
            f.essais += 1
            cible = f"{d}/sortie.{extension}"
            ecrire(cible, "ancien")
            arguments = ["tracer" if commande == "journal" else commande, "--base", base, "--type",
                         "annuaire" if commande == "annuaire" else "Annee", "--station", "76402001", "--annee", "2023",
                         "--debut", "01/01/2022", "--fin", "31/12/2023", "--sortie", cible]
            if commande == "journal":
                arguments += ["--journal", f"{d}/j.tsv"]
            if commande == "bulletin":
                pdf = cible if extension == "pdf" else f"{d}/bulletin.pdf"
                arguments = ["bulletin", "--base", base, "--mois", "03/2015", "--sortie", pdf]
                arguments += ["--classeur", cible] if extension == "xlsx" else []
            r = lancer(f, arguments, limite=limite)
            if r is not None and r.returncode == 0:
                # Assez de place : le fichier doit être entier et lisible.
                if os.path.getsize(cible) <= 6:
                    f.defaut(f"{commande} {extension} à {kilos} Kio : code 0 et fichier vide")
                elif extension == "pdf" and not open(cible, "rb").read().rstrip().endswith(b"%%EOF"):
                    f.defaut(f"{commande} {extension} à {kilos} Kio : code 0 et PDF tronqué")
                continue
            refus_propre(f, r, f"{commande} {extension} à {kilos} Kio")
            if commande == "bulletin" and extension == "xlsx" and os.path.exists(f"{d}/bulletin.pdf"):
                f.defaut(f"bulletin à {kilos} Kio : le PDF laissé sans son classeur")
            if open(cible, encoding="utf-8", errors="replace").read() != "ancien":
                f.perdues += 1
                f.defaut(f"{commande} {extension} à {kilos} Kio : l'ancien fichier abîmé")
            f.laisses += len(provisoires(d))
    return f


def arrets(d, base):
    f = Famille("arrêts brutaux")
    commandes = [
        ["tracer", "--base", base, "--type", "Annee", "--station", "76402001", "--sortie", f"{d}/a.png"],
        ["exporter", "--base", base, "--type", "edition", "--station", "76402001", "--sortie", f"{d}/a.xlsx"],
        ["copier", "--de", base, "--vers", f"{d}/copie.db", "--remplacer"],
        ["exemple", "--base", f"{d}/exemple.db", "--remplacer"],
    ]
    importee = f"{d}/importee.db"
    subprocess.run(["cp", base, importee], check=True)
    csv = ecrire(f"{d}/gros.csv", "".join(f"{j % 28 + 1:02d}/{j // 28 % 12 + 1:02d}/{1900 + j // 336};{j % 97}\n"
                                          for j in range(40000)))
    commandes.append(["importer", "--base", importee, "--station", "GROS", "--genre", "pluvio", "--csv", csv])
    tours = 4 if BREF else 12
    for arguments in commandes:
        for _ in range(tours):
            f.essais += 1
            avant = lignes(importee, "PLUVIO_76402001")
            p = subprocess.Popen([PROGRAMME] + arguments, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(hasard.uniform(0.02, 0.6))
            p.send_signal(hasard.choice([signal.SIGKILL, signal.SIGKILL, signal.SIGTERM, signal.SIGINT]))
            try:
                p.wait(DELAI)
            except subprocess.TimeoutExpired:
                f.attentes += 1
                p.kill()
            if lignes(importee, "PLUVIO_76402001") != avant:
                f.perdues += 1
            with sqlite3.connect(importee) as c:
                if c.execute("PRAGMA integrity_check").fetchone()[0] != "ok":
                    f.defaut("base abîmée après un import interrompu")
        # La commande menée à son terme efface ce qu'un arrêt brutal a laissé.
        reussite(f, lancer(f, arguments), " ".join(arguments[:1]))
        restes = provisoires(d)
        f.laisses += len(restes)
        if restes:
            f.defaut(f"{arguments[0]} : restes {restes}")
    return f


def sans_ecran(d, base):
    f = Famille("sans écran")
    env = {"QT_QPA_PLATFORM": "xcb", "DISPLAY": None, "WAYLAND_DISPLAY": None}
    for arguments in (["version"], ["stations", "--base", base], ["litteraux", "--date", "01/02/2023"],
                      ["tracer", "--base", base, "--type", "edition", "--station", "76402001", "--sortie", f"{d}/e.png"],
                      ["exporter", "--base", base, "--type", "Annee", "--station", "76402001", "--sortie", f"{d}/e.xlsx"],
                      ["corrections", "--base", base, "--station", "76402001"]):
        f.essais += 1
        reussite(f, lancer(f, arguments, env), arguments[0])
    return f


def main():
    familles = []
    with tempfile.TemporaryDirectory() as d:
        base = f"{d}/base.db"
        subprocess.run([PROGRAMME, "exemple", "--base", base], check=True, stdout=subprocess.DEVNULL)
        for sonde in (codes_de_station, disque_plein, arrets, sans_ecran):
            dossier = tempfile.mkdtemp(dir=d)
            copie = f"{dossier}/base.db"
            subprocess.run(["cp", base, copie], check=True)
            debut = time.monotonic()
            familles.append(sonde(dossier, copie))
            familles[-1].duree = time.monotonic() - debut
    print(f"{'famille':<24} {'essais':>6} {'refusés':>7} {'perdues':>7} {'laissés':>7} {'attentes':>8} {'défauts':>7}")
    for f in familles:
        print(f.ligne() + f"   ({f.duree:.1f} s)")
    defauts = [t for f in familles for t in f.defauts]
    for t in defauts[:30]:
        print("défaut :", t)
    sys.exit(1 if defauts or any(f.perdues or f.laisses or f.attentes for f in familles) else 0)


if __name__ == "__main__":
    main()
