#!/usr/bin/env python3
"""Deux serveurs de comparaison pour la mesure du portail, jamais le produit.

Chacun répond à GET /station/CODE/graphique.svg?… (mêmes adresses que
« graphique serveur ») sur la même base, comme le ferait une équipe sans
portail :
  tracer      lance « graphique tracer … --sortie TMP.svg » à chaque demande
              (un processus par demande, options refaites de la requête) ;
  matplotlib  lit les mesures (sqlite3, ou psql en CSV sur PostgreSQL) et
              dessine avec pandas et matplotlib (Agg) : pluie mensuelle en
              barres, ou niveaux horaires d'une nappe en ligne au-dessus de la
              pluie journalière en barres (deux axes).

    python3 bench/portail_pairs.py --pair tracer|matplotlib --base B \
        --programme PATH --port N

--port 0 prend un port libre. Au démarrage, une ligne sur la sortie :
« pair NOM à l'écoute sur http://127.0.0.1:PORT/ ».
"""
import argparse
import io
import os
import re
import subprocess
import sys
import tempfile
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qsl, unquote, urlsplit

CHEMIN = re.compile(r"^/station/([^/]+)/graphique\.svg$")
CODE_SUR = re.compile(r"^[A-Za-z0-9_]+$")
DATE = re.compile(r"^(\d{2})/(\d{2})/(\d{4})$")


class Refus(Exception):
    """Une demande que le pair ne sait pas tracer : réponse 400."""


def lire_stations(programme, base):
    """Code → genres, tels que « graphique stations » les donne."""
    sortie = subprocess.run([programme, "stations", "--base", base], check=True,
                            capture_output=True, text=True).stdout
    genres = {}
    for ligne in sortie.splitlines():
        champs = ligne.split("\t")
        if len(champs) >= 2:
            genres.setdefault(champs[1], []).append(champs[0])
    return genres


def genre_de(stations, code, parametres):
    genres = stations.get(code)
    if not genres:
        raise Refus(f"station inconnue : {code}")
    voulu = parametres.get("genre")
    return voulu if voulu in genres else genres[0]


def premier_pluviometre(stations):
    return next(code for code, genres in stations.items() if "pluvio" in genres)


# ---------------------------------------------------------------- tracer

def options_tracer(stations, code, parametres):
    """La ligne de « graphique tracer » du graphique demandé, comme le portail la fait."""
    genre = genre_de(stations, code, parametres)
    options = []
    for nom, valeur in parametres.items():
        if nom == "cumul":
            options.append("--cumul")
        elif nom not in ("genre", "pluviometre", "stations"):
            options += ["--" + nom, valeur]
    sous_la_pluie = {"piezo": "PluvioPiezo", "hydro": "PluvioStation"}.get(genre)
    if sous_la_pluie is None:
        options += ["--station", code, "--genre", genre]
        if "stations" in parametres:
            options += ["--stations", parametres["stations"]]
        if "type" not in parametres:
            options += ["--type", "reference" if genre == "reference" else "edition"]
        return options
    autres = [code] + [s for s in parametres.get("stations", "").split(",") if s and s != code]
    if "type" not in parametres:
        options += ["--type", sous_la_pluie]
    return options + ["--station", parametres.get("pluviometre") or premier_pluviometre(stations),
                      "--stations", ",".join(autres)]


def tracer_svg(config, code, parametres):
    with tempfile.TemporaryDirectory(prefix="pair-tracer-") as dossier:
        sortie = os.path.join(dossier, "g.svg")
        commande = [config.programme, "tracer", "--base", config.base,
                    *options_tracer(config.stations, code, parametres), "--sortie", sortie]
        fait = subprocess.run(commande, capture_output=True, text=True)
        if fait.returncode != 0:
            raise Refus(fait.stderr.strip() or f"graphique tracer : code {fait.returncode}")
        with open(sortie, "rb") as f:
            return f.read()


# ---------------------------------------------------------------- matplotlib

def date_iso(texte, nom):
    m = DATE.match(texte or "")
    if not m:
        raise Refus(f"{nom} attendu en JJ/MM/AAAA : « {texte} »")
    return f"{m.group(3)}-{m.group(2)}-{m.group(1)}"


REQUETES = {
    # (lecture, SQLite ?) → ordre ; {t} la table. Les dates, déjà vérifiées JJ/MM/AAAA,
    # passent en paramètres (?) sur SQLite et dans le texte pour psql.
    ("mensuel", True): 'SELECT substr(DateCreation, 1, 7) || \'-01\', sum(Pluie) FROM "PLUVIO_{t}" '
                       "WHERE DateCreation BETWEEN ? AND ? GROUP BY 1 ORDER BY 1",
    ("mensuel", False): "SELECT date_trunc('month', datecreation)::date, sum(pluie) FROM pluvio_{t} "
                        "WHERE datecreation BETWEEN '{d}' AND '{f}' GROUP BY 1 ORDER BY 1",
    ("journalier", True): 'SELECT DateCreation, sum(Pluie) FROM "PLUVIO_{t}" '
                          "WHERE DateCreation BETWEEN ? AND ? GROUP BY 1 ORDER BY 1",
    ("journalier", False): "SELECT datecreation, sum(pluie) FROM pluvio_{t} "
                           "WHERE datecreation BETWEEN '{d}' AND '{f}' GROUP BY 1 ORDER BY 1",
    # À minuit, l'heure est écrite « 1899-12-30 » sans partie horaire.
    ("horaire", True): "SELECT DateCreation || ' ' || CASE WHEN length(Heure) > 10 THEN substr(Heure, 12) "
                       "ELSE '00:00:00' END, Valeur FROM \"PZ_{t}\" WHERE DateCreation BETWEEN ? AND ? "
                       "ORDER BY DateCreation, Heure",
    ("horaire", False): "SELECT datecreation + (heure - TIMESTAMP '1899-12-30'), valeur FROM pz_{t} "
                        "WHERE datecreation BETWEEN '{d}' AND '{f}' ORDER BY datecreation, heure",
}


def lire_serie(config, lecture, code, debut, fin):
    """(dates, valeurs) d'une lecture, par sqlite3 ou par psql."""
    import pandas as pd
    sqlite = config.sqlite
    ordre = REQUETES[(lecture, sqlite)].format(t=code if sqlite else code.lower(), d=debut, f=fin)
    if sqlite:
        import sqlite3
        connexion = sqlite3.connect(f"file:{config.base}?mode=ro", uri=True)
        try:
            lignes = connexion.execute(ordre, (debut, fin)).fetchall()
        finally:
            connexion.close()
        cadre = pd.DataFrame(lignes, columns=["t", "v"])
    else:
        texte = subprocess.run(["psql", config.base, "-X", "-q", "--csv", "-t", "-v", "ON_ERROR_STOP=1", "-c", ordre],
                               check=True, capture_output=True, text=True).stdout
        cadre = pd.read_csv(io.StringIO(texte), names=["t", "v"], header=None)
    return pd.to_datetime(cadre["t"]), cadre["v"].astype(float)


def figure_svg(dessiner):
    from matplotlib.backends.backend_agg import FigureCanvasAgg
    from matplotlib.figure import Figure
    # matplotlib n'est pas sûr entre fils : un dessin à la fois.
    with VERROU_MATPLOTLIB:
        figure = Figure(figsize=(12, 7), dpi=100)
        FigureCanvasAgg(figure)
        dessiner(figure)
        tampon = io.BytesIO()
        figure.savefig(tampon, format="svg")
    return tampon.getvalue()


def pluie_mensuelle(config, code, debut, fin):
    mois, pluie = lire_serie(config, "mensuel", code, debut, fin)

    def dessiner(figure):
        axe = figure.add_subplot()
        axe.bar(mois, pluie, width=25, align="edge", color="tab:blue")
        axe.set_title(f"Pluviomètre {code} : pluie mensuelle")
        axe.set_ylabel("Pluie (mm)")
        axe.grid(axis="y", alpha=0.3)
    return figure_svg(dessiner)


def nappe_sous_la_pluie(config, code, pluviometre, debut, fin):
    jours, pluie = lire_serie(config, "journalier", pluviometre, debut, fin)
    heures, niveau = lire_serie(config, "horaire", code, debut, fin)

    def dessiner(figure):
        haut, bas = figure.subplots(2, 1, sharex=True, gridspec_kw={"height_ratios": [3, 1]})
        haut.plot(heures, niveau, linewidth=0.6, color="tab:green")
        haut.set_title(f"Piézomètre {code} sous la pluie de {pluviometre}")
        haut.set_ylabel("Niveau (m)")
        bas.bar(jours, pluie, width=1, color="tab:blue")
        bas.set_ylabel("Pluie (mm)")
        bas.invert_yaxis()
    return figure_svg(dessiner)


def matplotlib_svg(config, code, parametres):
    if not CODE_SUR.match(code):
        raise Refus(f"code de station refusé : {code}")
    genre = genre_de(config.stations, code, parametres)
    debut = date_iso(parametres.get("debut"), "debut")
    fin = date_iso(parametres.get("fin"), "fin")
    if genre == "pluvio" and parametres.get("type", "edition").lower() == "edition" and parametres.get("periodes") == "M":
        return pluie_mensuelle(config, code, debut, fin)
    if genre == "piezo" and parametres.get("type", "PluvioPiezo").lower() == "pluviopiezo":
        pluviometre = parametres.get("pluviometre") or premier_pluviometre(config.stations)
        if not CODE_SUR.match(pluviometre):
            raise Refus(f"code de pluviomètre refusé : {pluviometre}")
        return nappe_sous_la_pluie(config, code, pluviometre, debut, fin)
    raise Refus("ce pair ne trace que la pluie mensuelle et une nappe sous la pluie")


VERROU_MATPLOTLIB = threading.Lock()
DESSINS = {"tracer": tracer_svg, "matplotlib": matplotlib_svg}


# ---------------------------------------------------------------- serveur

class Demande(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"  # connexions gardées, comme le portail

    def do_GET(self):
        adresse = urlsplit(self.path)
        m = CHEMIN.match(adresse.path)
        if not m:
            return self.repondre(404, b"Aucune page a cette adresse.\n", "text/plain")
        try:
            parametres = dict(parse_qsl(adresse.query, keep_blank_values=False))
            svg = DESSINS[self.server.config.pair](self.server.config, unquote(m.group(1)), parametres)
        except Refus as refus:
            return self.repondre(400, (str(refus) + "\n").encode(), "text/plain; charset=utf-8")
        except (OSError, subprocess.SubprocessError, ValueError) as panne:
            return self.repondre(500, (f"{type(panne).__name__} : {panne}\n").encode(), "text/plain; charset=utf-8")
        self.repondre(200, svg, "image/svg+xml")

    def repondre(self, statut, corps, type_contenu):
        self.send_response(statut)
        self.send_header("Content-Type", type_contenu)
        self.send_header("Content-Length", str(len(corps)))
        self.end_headers()
        self.wfile.write(corps)

    def log_message(self, *args):
        pass


class Serveur(ThreadingHTTPServer):
    daemon_threads = True
    request_queue_size = 1024  # 100 connexions à la fois ne restent pas à la porte

    def handle_error(self, request, client_address):
        # wrk coupe ses connexions à la fin d'une mesure : ce n'est pas une panne du pair.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def main():
    lecteur = argparse.ArgumentParser(description="Pair de comparaison du portail.")
    lecteur.add_argument("--pair", choices=sorted(DESSINS), required=True)
    lecteur.add_argument("--base", required=True)
    lecteur.add_argument("--programme", required=True)
    lecteur.add_argument("--port", type=int, default=0)
    config = lecteur.parse_args()
    config.sqlite = os.path.isfile(config.base)
    if config.pair == "matplotlib":
        import matplotlib
        matplotlib.use("Agg")
        import pandas  # noqa: F401  chargé avant la première demande
    config.stations = lire_stations(config.programme, config.base)
    serveur = Serveur(("127.0.0.1", config.port), Demande)
    serveur.config = config
    print(f"pair {config.pair} à l'écoute sur http://127.0.0.1:{serveur.server_address[1]}/", flush=True)
    try:
        serveur.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        serveur.server_close()


if __name__ == "__main__":
    sys.exit(main())
