#!/usr/bin/env python3
"""Le portail dessine octet pour octet ce que dessine « graphique tracer » : pour un graphique
de chaque genre, les images PNG et SVG téléchargées, le SVG de la page et ceux de la ligne de commande,
sur la base d'exemple en SQLite, ou copiée sur PostgreSQL (--postgresql, connexion dans GRAPHIQUE_PG)."""
import contextlib
import os
import re
import subprocess
import sys
import tempfile
import uuid

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from essais_http import (Echec, Serveur, analyseur, base_exemple, commande, demander_url, executer,  # noqa: E402
                         verifier)

# Les images comparées octet pour octet, et leur type ; le SVG en dernier, la page le reprend.
FORMATS = {"png": "image/png", "svg": "image/svg+xml"}
# (genre du graphique, page de la station, paramètres de l'adresse, options de « graphique tracer »)
GRAPHIQUES = [
    ("édition mensuelle", "76402001", "type=edition&periodes=M&debut=01/01/2019&fin=31/12/2023",
     "--type edition --station 76402001 --periodes M --debut 01/01/2019 --fin 31/12/2023"),
    ("année 2023", "76402001", "type=Annee&annee=2023", "--type Annee --station 76402001 --annee 2023"),
    ("année en cumul annuel", "76402001", "type=Annee&annee=2023&variante=CUMUL_ANNUEL",
     "--type Annee --station 76402001 --annee 2023 --variante CUMUL_ANNUEL"),
    ("année en cumul mensuel", "76402001", "type=Annee&annee=2023&variante=CUMUL_MENSUEL&periodes=A",
     "--type Annee --station 76402001 --annee 2023 --variante CUMUL_MENSUEL --periodes A"),
    ("annuaire", "76402001", "type=annuaire&periodes=A", "--type annuaire --station 76402001 --periodes A"),
    ("superposition", "76401001", "type=Superposition&stations=76402001,27403001&periodes=A&debut=01/01/2000&fin=31/12/2024",
     "--type Superposition --station 76401001 --stations 76402001,27403001 --periodes A --debut 01/01/2000 --fin 31/12/2024"),
    ("pluie et nappes, page du piézomètre", "00754X0012", "pluviometre=76402001&stations=00755X0031&debut=01/01/2015&fin=31/12/2024",
     "--type PluvioPiezo --station 76402001 --stations 00754X0012,00755X0031 --debut 01/01/2015 --fin 31/12/2024"),
    ("pluie et nappes, page du pluviomètre", "76402001", "type=PluvioPiezo&stations=00754X0012,00755X0031&debut=01/01/2015&fin=31/12/2024",
     "--type PluvioPiezo --station 76402001 --stations 00754X0012,00755X0031 --debut 01/01/2015 --fin 31/12/2024"),
    ("pluie et rivière", "H8043310", "pluviometre=76402001&periodes=D&debut=01/01/2023&fin=31/12/2023",
     "--type PluvioStation --station 76402001 --stations H8043310 --periodes D --debut 01/01/2023 --fin 31/12/2023"),
    ("courbe de référence", "76401001", "genre=reference&type=reference", "--type reference --station 76401001"),
    # Sans paramètre, la page garde le genre de sa station ; nappe et rivière sous le premier pluviomètre.
    ("pluviomètre sans paramètre", "76402001", "", "--type edition --station 76402001"),
    ("piézomètre sans paramètre", "00754X0012", "", "--type PluvioPiezo --station 76401001 --stations 00754X0012"),
    ("rivière sans paramètre", "H8043310", "", "--type PluvioStation --station 76401001 --stations H8043310"),
    ("comparaison à la normale", "76402001", "type=comparaisonNormale&periodes=M&debut=01/01/2022&fin=31/12/2023",
     "--type comparaisonNormale --station 76402001 --periodes M --debut 01/01/2022 --fin 31/12/2023"),
]


def premier_ecart(a, b):
    """L'octet où deux textes divergent, et un peu de chacun à cet endroit."""
    i = next((k for k, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
    return i, a[max(0, i - 30):i + 50], b[max(0, i - 30):i + 50]


def verifier_identiques(attendu, recu, quoi):
    if attendu == recu:
        return
    i, x, y = premier_ecart(attendu, recu)
    raise Echec(f"{quoi} : {len(attendu)} octets attendus identiques, {len(recu)} reçus, "
                f"premier écart à l'octet {i} : attendu {x!r}, reçu {y!r}")


def image_de_tracer(programme, base, options, dossier, extension):
    chemin = os.path.join(dossier, f"tracer.{extension}")
    commande(programme, "tracer", "--base", base, *options.split(), "--sortie", chemin)
    with open(chemin, "rb") as f:
        return f.read()


def adresse(portail, chemin, parametres):
    return f"{portail.url}{chemin}?{parametres}" if parametres else f"{portail.url}{chemin}"


def image_telechargee(portail, page, parametres, nom, extension):
    statut, entetes, corps = demander_url(adresse(portail, f"station/{page}/graphique.{extension}", parametres))
    verifier(statut == 200 and entetes.get("Content-Type") == FORMATS[extension],
             f"{nom} : {extension} téléchargé attendu 200 {FORMATS[extension]}, reçu {statut} {entetes.get('Content-Type')}")
    return corps


def svg_de_la_page(portail, page, parametres, nom):
    statut, _, corps = demander_url(adresse(portail, f"station/{page}", parametres))
    debut, fin = corps.find(b"<svg"), corps.find(b"</svg>")
    verifier(statut == 200 and 0 <= debut < fin, f"{nom} : page attendue 200 avec un <svg> en ligne, reçu {statut}, "
                                                 f"{'sans' if debut < 0 else 'avec'} <svg>")
    return corps[debut:fin + len(b"</svg>")]


def images_de_tracer(programme, base, graphique, dossier):
    """Les images de la ligne de commande, dessinées avant le portail : rien ne touche la base pendant qu'il sert."""
    nom, _, _, options = graphique
    images = {extension: image_de_tracer(programme, base, options, dossier, extension) for extension in FORMATS}
    station = options.split("--station ")[1].split()[0]
    titre = re.search(rb"<title>(.*?)</title>", images["svg"])
    verifier(titre and station.encode() in titre.group(1),
             f"{nom} : titre de « graphique tracer » attendu avec {station}, reçu {titre.group(1) if titre else None!r}")
    return images


def comparer(portail, graphique, images):
    nom, page, parametres, _ = graphique
    suite = f"?{parametres}" if parametres else ""
    for extension, attendu in images.items():
        verifier_identiques(attendu, image_telechargee(portail, page, parametres, nom, extension),
                            f"{nom} : {extension} de « graphique tracer » et /station/{page}/graphique.{extension}{suite}")
    attendu = images["svg"]
    en_ligne = attendu[attendu.find(b"<svg"):attendu.find(b"</svg>") + len(b"</svg>")]
    verifier_identiques(en_ligne, svg_de_la_page(portail, page, parametres, nom),
                        f"{nom} : SVG de « graphique tracer » et celui de la page /station/{page}{suite}")


def comparer_tout(programme, base, dossier):
    """Chaque graphique comparé, chaque écart dit en une ligne ; l'essai échoue s'il y en a un."""
    echecs = 0
    attendues = [images_de_tracer(programme, base, graphique, dossier) for graphique in GRAPHIQUES]
    # Un seul processus : chaque demande voit ce que la précédente a laissé chargé.
    with Serveur(programme, base, dossier, processus=1) as portail:
        portail.attendre_sante()
        for graphique, images in zip(GRAPHIQUES, attendues):
            try:
                comparer(portail, graphique, images)
            except Echec as e:
                echecs += 1
                print(f"ÉCHEC : {e}", file=sys.stderr)
    lieu = base.split(" options=")[0]
    verifier(echecs == 0, f"{len(GRAPHIQUES)} graphiques attendus identiques à « graphique tracer », {echecs} différents ({lieu})")
    print(f"{len(GRAPHIQUES)} graphiques identiques entre le portail et « graphique tracer » ({lieu}).")


def psql(connexion, ordre):
    r = subprocess.run(["psql", connexion, "-v", "ON_ERROR_STOP=1", "-q", "-c", ordre], capture_output=True, text=True, timeout=60)
    verifier(r.returncode == 0, f"« {ordre} » attendu réussi sur PostgreSQL, reçu : {r.stderr.strip()[:300]}")


@contextlib.contextmanager
def schema_postgresql(connexion):
    """Un schéma à soi sur le serveur partagé, effacé en sortant ; la connexion qui y mène."""
    schema = f"essai_equivalence_{uuid.uuid4().hex[:12]}"
    psql(connexion, f"CREATE SCHEMA {schema}")
    try:
        yield f"{connexion} options='-c search_path={schema}'"
    finally:
        psql(connexion, f"DROP SCHEMA {schema} CASCADE")


def essai(options):
    with tempfile.TemporaryDirectory(prefix="equivalence-") as dossier:
        base = base_exemple(options.programme, dossier)
        if not options.postgresql:
            comparer_tout(options.programme, base, dossier)
            return
        with schema_postgresql(os.environ["GRAPHIQUE_PG"]) as connexion:
            commande(options.programme, "copier", "--de", base, "--vers", connexion, "--remplacer")
            comparer_tout(options.programme, connexion, dossier)


def main():
    a = analyseur(__doc__)
    a.add_argument("--postgresql", action="store_true", help="la base copiée sur le serveur de GRAPHIQUE_PG")
    options = a.parse_args()
    if options.postgresql and not os.environ.get("GRAPHIQUE_PG"):
        print("GRAPHIQUE_PG absente : scripts/postgresql-temporaire.sh lance un serveur PostgreSQL pour cet essai.", file=sys.stderr)
        return 1 if os.environ.get("GRAPHIQUE_PG_EXIGE") else 0
    executer(lambda: essai(options))


if __name__ == "__main__":
    sys.exit(main())
