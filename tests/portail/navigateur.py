#!/usr/bin/env python3
"""Le portail dans Chromium sans écran, comme une personne s'en sert, d'une seule traite :
filtre des stations au clavier, formulaire d'une station, lecture sous le pointeur, zoom au
rectangle et au clavier, toute la période (lien, Échap, double clic), classeur et CSV
téléchargés, bulletin du mois et ses voisins, chaque genre de graphique choisi à la suite,
piézomètre sous la pluie, courbe de référence. Les captures d'écran vont dans --captures."""
import csv
import io
import json
import os
import re
import sys
import tempfile
import time
import unicodedata
from datetime import datetime, timedelta
from urllib.parse import parse_qs, urlsplit

import openpyxl
from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import TimeoutException, WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from essais_http import Echec, analyseur, commande, demander_url, executer, portail_exemple, verifier  # noqa: E402

PLUVIOMETRE, PIEZOMETRE = "76402001", "00754X0012"
# Une part du nom « Puits des Prés », sans accent et d'une autre casse.
FILTRE = "PRES"
# Le formulaire : un autre pas de temps (tapé sur la liste), deux dates tapées ; celles de la courbe de référence.
PERIODES, DEBUT, FIN = ("D", "Décade"), "01/01/2022", "31/12/2023"
DATES_REFERENCE = ("01/01/2020", "31/12/2021")
LARGEUR_IMAGE = 1200
ENTETE_CSV = ["série", "période", "date", "valeur"]


def sans_accents(texte):
    return "".join(c for c in unicodedata.normalize("NFD", texte) if unicodedata.category(c) != "Mn").casefold()


def date(texte):
    return datetime.strptime(texte, "%d/%m/%Y")


def nombre(texte):
    return float(texte.replace("\u202f", "").replace("\xa0", "").replace(",", "."))


# --- Le navigateur et ses attentes ---------------------------------------------------------

def navigateur(dossier):
    o = webdriver.ChromeOptions()
    o.binary_location = "/usr/bin/chromium"
    for a in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--disable-gpu", "--window-size=1400,1000",
              f"--user-data-dir={os.path.join(dossier, 'profil')}"):
        o.add_argument(a)
    o.add_experimental_option("prefs", {"download.default_directory": os.path.join(dossier, "telechargements"),
                                        "download.prompt_for_download": False})
    # Les fichiers passagers de Chromium restent dans le dossier de l'essai, effacé avec lui.
    env = dict(os.environ, TMPDIR=dossier)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver", env=env), options=o)


class Visite:
    """La session du navigateur, le portail, les stations de la base et où ranger les fichiers."""

    def __init__(self, pilote, portail, stations, dossier, captures):
        self.d, self.portail, self.stations, self.captures = pilote, portail, stations, captures
        self.telechargements = os.path.join(dossier, "telechargements")
        os.makedirs(self.telechargements, exist_ok=True)

    def attendre(self, condition, texte, delai=20):
        try:
            return WebDriverWait(self.d, delai, poll_frequency=0.05).until(lambda d: condition())
        except TimeoutException:
            raise Echec(f"{texte} (attendu en {delai} s)") from None

    def charger_apres(self, geste, texte):
        """Le geste qui mène à une autre page ; la page chargée attendue."""
        avant = self.d.current_url
        geste()
        self.attendre(lambda: self.d.current_url != avant, f"{texte} : nouvelle adresse attendue, restée {avant}")
        self.attendre(lambda: self.d.execute_script("return document.readyState") == "complete", f"{texte} : page chargée")

    def requete(self):
        return {k: v[0] for k, v in parse_qs(urlsplit(self.d.current_url).query).items()}

    def capture(self, nom):
        self.d.save_screenshot(os.path.join(self.captures, nom))

    def element(self, selecteur):
        trouves = self.d.find_elements(By.CSS_SELECTOR, selecteur)
        verifier(trouves, f"élément « {selecteur} » attendu sur {self.d.current_url}, absent")
        return trouves[0]


def lire_stations(programme, base):
    """Les stations de la base, lues par la ligne de commande : (genre, code, nom, première, dernière)."""
    lignes = commande(programme, "stations", "--base", base).splitlines()
    return [tuple(l.split("\t")) for l in lignes if l.count("\t") == 4]


# --- Le graphique d'une page : ses points, sa place à l'écran, le pointeur ------------------

def points_de_la_page(v):
    donnees = json.loads(v.element("#points").get_attribute("textContent"))
    verifier(donnees["points"], f"points tracés attendus dans #points, aucun sur {v.d.current_url}")
    return donnees


def verifier_graphique(v, texte):
    svg = v.d.find_elements(By.CSS_SELECTOR, "figure#graphique > svg")
    verifier(svg, f"{texte} : un graphique SVG attendu dans #graphique, aucun sur {v.d.current_url}")
    boite = svg[0].get_dom_attribute("viewBox")
    verifier(boite == f"0 0 {LARGEUR_IMAGE} 700", f"{texte} : SVG de 1200×700 attendu, viewBox « {boite} »")
    return points_de_la_page(v)


def cadre_du_svg(v):
    """Le coin du SVG dans la fenêtre et le rapport entre pixels de la page et de l'image."""
    r = v.d.execute_script("return document.querySelector('#graphique svg').getBoundingClientRect().toJSON()")
    return r["left"], r["top"], r["width"] / LARGEUR_IMAGE


def vers_ecran(v, x, y):
    """Un point de l'image (pixels du SVG) en coordonnées de la fenêtre."""
    gauche, haut, k = cadre_du_svg(v)
    return round(gauche + x * k), round(haut + y * k)


def vers_image(v, x, y):
    gauche, haut, k = cadre_du_svg(v)
    return (x - gauche) / k, (y - haut) / k


def pointeur(v):
    return ActionBuilder(v.d)


def relacher(v):
    a = pointeur(v)
    a.pointer_action.pointer_up()
    a.perform()


def pointeur_hors_du_graphique(v):
    """Le pointeur sur l'en-tête : aucun survol du graphique ne déplace la lecture."""
    a = pointeur(v)
    a.pointer_action.move_to_location(5, 5)
    a.perform()


def montrer_le_graphique(v):
    pointeur_hors_du_graphique(v)
    v.d.execute_script("document.getElementById('graphique').scrollIntoView({block: 'center'})")


# --- Accueil : le filtre tapé ------------------------------------------------------------

def lignes_accueil(v):
    """Chaque ligne de station : (texte code + nom lu dans ses cellules, ligne)."""
    lignes = []
    for tr in v.d.find_elements(By.CSS_SELECTOR, "tr.station"):
        cellules = tr.find_elements(By.TAG_NAME, "td")
        lignes.append((cellules[0].get_attribute("textContent") + " " + cellules[1].get_attribute("textContent"), tr))
    return lignes


def verifier_filtre(v, cherche):
    lignes = lignes_accueil(v)
    gardees = {t for t, _ in lignes if sans_accents(cherche) in sans_accents(t)}
    verifier(gardees and len(gardees) < len(lignes),
             f"« {cherche} » attendu ne garder qu'une part des {len(lignes)} stations, en garde {len(gardees)}")
    for texte, tr in lignes:
        verifier(tr.is_displayed() == (texte in gardees),
                 f"filtre « {cherche} » : « {texte} » attendue {'montrée' if texte in gardees else 'cachée'}, l'inverse à l'écran")
    for section in v.d.find_elements(By.CSS_SELECTOR, "section.genre"):
        montrees = [tr for tr in section.find_elements(By.CSS_SELECTOR, "tr.station") if tr.is_displayed()]
        verifier(section.is_displayed() == bool(montrees), f"filtre « {cherche} » : section {section.get_attribute('id')} "
                                                            f"attendue {'montrée' if montrees else 'cachée'}, l'inverse à l'écran")
    return gardees, len(lignes)


def filtrer_par_le_portail(v, gardees):
    """Entrée envoie le filtre : la page filtrée par le portail n'a que les lignes gardées à l'écran."""
    v.charger_apres(lambda: v.element("#filtre").send_keys(Keys.ENTER), "Entrée dans le filtre")
    recues = {t for t, _ in lignes_accueil(v)}
    verifier(v.requete().get("filtre") == FILTRE and recues == gardees,
             f"/?filtre={FILTRE} : les stations {sorted(gardees)} attendues, reçu {sorted(recues)} ({v.d.current_url})")
    v.charger_apres(v.d.back, "retour à l'accueil entier")


def filtrer_accueil(v):
    v.d.get(v.portail.url)
    champ = v.element("#filtre")
    champ.click()
    champ.send_keys(FILTRE)
    gardees, toutes = verifier_filtre(v, FILTRE)
    v.capture("accueil.png")
    filtrer_par_le_portail(v, gardees)
    champ = v.element("#filtre")
    champ.send_keys(Keys.CONTROL, "a")
    champ.send_keys(Keys.BACKSPACE)
    cachees = [t for t, tr in lignes_accueil(v) if not tr.is_displayed()]
    verifier(not cachees, f"filtre effacé : toutes les stations attendues montrées, cachées : {cachees}")
    print(f"accueil : « {FILTRE} » tapé garde {len(gardees)} station(s) sur {toutes}, comme le portail filtré ; effacé, toutes")


# --- Une station : le formulaire, la lecture, les zooms ------------------------------------

def ouvrir_pluviometre(v):
    lien = v.element(f"section#genre-pluvio a[href='/station/{PLUVIOMETRE}']")
    v.charger_apres(lien.click, f"lien du pluviomètre {PLUVIOMETRE}")
    chemin = urlsplit(v.d.current_url).path
    verifier(chemin == f"/station/{PLUVIOMETRE}", f"page /station/{PLUVIOMETRE} attendue après le clic, reçu {chemin}")
    verifier_graphique(v, "page du pluviomètre")


def taper(champ, texte):
    champ.click()
    champ.send_keys(Keys.CONTROL, "a")
    champ.send_keys(texte)


def tracer_dates(v, debut, fin):
    taper(v.element("form#demande input[name='debut']"), debut)
    taper(v.element("form#demande input[name='fin']"), fin)
    v.charger_apres(v.element("#tracer").click, f"bouton Tracer du {debut} au {fin}")


def tracer_formulaire(v):
    liste = v.element("form#demande select[name='periodes']")
    liste.send_keys(PERIODES[1][:2])
    choisie = Select(liste).first_selected_option.get_attribute("value")
    verifier(choisie == PERIODES[0], f"« {PERIODES[1][:2]} » tapé sur la liste des pas de temps : {PERIODES[0]} attendu, {choisie} choisi")
    tracer_dates(v, DEBUT, FIN)
    attendu = {"type": "edition", "periodes": PERIODES[0], "debut": DEBUT, "fin": FIN}
    recu = {k: v.requete().get(k) for k in attendu}
    verifier(recu == attendu, f"adresse attendue avec {attendu}, reçu {recu} ({v.d.current_url})")
    donnees = verifier_graphique(v, "graphique du formulaire")
    verifier((donnees["debut"], donnees["fin"]) == (DEBUT, FIN),
             f"graphique attendu du {DEBUT} au {FIN}, tracé du {donnees['debut']} au {donnees['fin']}")
    print(f"formulaire : {v.d.current_url.split('/', 3)[3]} tracé, {len(donnees['points'])} points")


def point_isole(points, ecart=6.0):
    """Un point loin de tous les autres (en pixels de l'image) : le pointeur posé dessus ne peut désigner que lui."""
    milieu = sorted(points, key=lambda p: p[1])[len(points) // 3:]
    for p in milieu:
        if all((q[1] - p[1]) ** 2 + (q[2] - p[2]) ** 2 >= ecart ** 2 for q in points if q is not p):
            return p
    raise Echec(f"un point à plus de {ecart} pixels des autres attendu parmi {len(points)}, aucun")


def plus_proche(points, x, y):
    return min(points, key=lambda p: (p[1] - x) ** 2 + (p[2] - y) ** 2)


def verifier_lecture(v, point, texte):
    """#lecture montre la valeur du point et sa date (ou le libellé de sa période)."""
    quand = point[5] or point[3]

    def juste():
        lue = v.element("#lecture").text
        return lue if point[4] in lue and quand in lue else None
    try:
        return WebDriverWait(v.d, 5, poll_frequency=0.05).until(lambda d: juste())
    except TimeoutException:
        raise Echec(f"{texte} : lecture attendue « {quand} : {point[4]} », reçu « {v.element('#lecture').text} »") from None


def lire_au_pointeur(v):
    donnees = points_de_la_page(v)
    montrer_le_graphique(v)
    cible = point_isole(donnees["points"])
    x, y = vers_ecran(v, cible[1], cible[2])
    a = pointeur(v)
    a.pointer_action.move_to_location(x - 40, y).move_to_location(x, y)
    a.perform()
    # Le point attendu : le plus proche de là où le pointeur est vraiment, d'après les points de la page.
    attendu = plus_proche(donnees["points"], *vers_image(v, x, y))
    lue = verifier_lecture(v, attendu, f"pointeur sur le point du {attendu[3]}")
    v.capture("station.png")
    print(f"lecture : pointeur sur ({x}, {y}), « {lue} »")


def jour_sous(donnees, x):
    """Le jour sous une abscisse de l'image, les bords de la zone de tracé étant le début et la fin."""
    gauche, _, largeur, _ = donnees["zone"]
    debut, fin = date(donnees["debut"]), date(donnees["fin"])
    return debut + (fin - debut) * ((x - gauche) / largeur)


def verifier_jour(recu, attendu, texte):
    verifier(abs(date(recu) - attendu) <= timedelta(days=2),
             f"{texte} : {attendu:%d/%m/%Y} attendu à deux jours près, reçu {recu}")


def zoomer_rectangle(v):
    donnees = points_de_la_page(v)
    avant, periode = v.d.current_url, (date(v.requete()["debut"]), date(v.requete()["fin"]))
    gauche, haut, largeur, hauteur = donnees["zone"]
    (x1, y), (x2, _) = vers_ecran(v, gauche + largeur * 0.3, haut + hauteur / 2), vers_ecran(v, gauche + largeur * 0.6, 0)
    a = pointeur(v)
    a.pointer_action.move_to_location(x1, y).pointer_down().move_to_location(x1 + 20, y).move_to_location(x2, y)
    a.perform()
    attendus = (jour_sous(donnees, vers_image(v, x1, y)[0]), jour_sous(donnees, vers_image(v, x2, y)[0]))
    v.charger_apres(lambda: relacher(v), "rectangle tiré sur le graphique")
    q = v.requete()
    verifier("debut" in q and "fin" in q, f"rectangle : debut et fin attendus dans l'adresse, reçu {v.d.current_url}")
    verifier(periode[0] <= date(q["debut"]) < date(q["fin"]) <= periode[1],
             f"rectangle : période dans le {periode[0]:%d/%m/%Y}–{periode[1]:%d/%m/%Y}, dans l'ordre, attendue ; reçu {q['debut']}–{q['fin']}")
    verifier_jour(q["debut"], attendus[0], "début du rectangle")
    verifier_jour(q["fin"], attendus[1], "fin du rectangle")
    zoome = verifier_graphique(v, "graphique du rectangle")
    verifier((zoome["debut"], zoome["fin"]) == (q["debut"], q["fin"]),
             f"graphique du rectangle attendu du {q['debut']} au {q['fin']}, tracé du {zoome['debut']} au {zoome['fin']}")
    montrer_le_graphique(v)
    v.capture("zoom.png")
    print(f"rectangle : {q['debut']} – {q['fin']}, {len(zoome['points'])} points")
    return avant


def revenir(v, avant):
    pointeur_hors_du_graphique(v)
    v.charger_apres(v.d.back, "retour en arrière")
    verifier(v.d.current_url == avant, f"retour : {avant} attendue, reçu {v.d.current_url}")
    verifier_graphique(v, "graphique retrouvé")


def touches(v, *suite):
    ActionChains(v.d).send_keys(*suite).perform()


def zoomer_clavier(v):
    """→ ×5 puis [ marque le 5e point de gauche à droite, → ×7 puis ← le 11e, ] zoome entre les deux."""
    # Rechargée : la page rendue par le retour garde la lecture laissée par le pointeur.
    pointeur_hors_du_graphique(v)
    v.d.refresh()
    v.attendre(lambda: v.d.execute_script("return document.readyState") == "complete", "page rechargée")
    donnees = points_de_la_page(v)
    ordre = sorted(donnees["points"], key=lambda p: p[1])
    montrer_le_graphique(v)
    v.d.execute_script("document.getElementById('graphique').focus()")
    verifier(v.d.execute_script("return document.activeElement.id") == "graphique", "le graphique attendu avec le focus, ailleurs")
    touches(v, *[Keys.ARROW_RIGHT] * 5)
    verifier_lecture(v, ordre[4], "5 flèches à droite")
    touches(v, "[", *[Keys.ARROW_RIGHT] * 7, Keys.ARROW_LEFT)
    verifier_lecture(v, ordre[10], "7 flèches à droite et une à gauche")
    v.charger_apres(lambda: touches(v, "]"), "] après [")
    q = v.requete()
    attendu = (ordre[4][3], ordre[10][3])
    verifier((q.get("debut"), q.get("fin")) == attendu,
             f"zoom au clavier : du {attendu[0]} au {attendu[1]} attendu, reçu {q.get('debut')} – {q.get('fin')}")
    verifier_graphique(v, "graphique du zoom au clavier")
    echap_puis_retour(v)
    print(f"clavier : zoom du {attendu[0]} au {attendu[1]}, Échap vers toute la période puis retour")


def aller_a_toute_periode(v, geste, texte):
    """Le geste mène où mène le lien Toute la période : la même demande sans ses dates."""
    avant = {k: x for k, x in v.requete().items() if k not in ("debut", "fin")}
    lien = v.element("#toute-periode").get_attribute("href")
    v.charger_apres(geste, f"{texte} vers toute la période")
    q = v.requete()
    verifier(q == avant, f"{texte} : toute la période attendue avec {avant} (la demande sans ses dates), reçu {q}")
    verifier(v.d.current_url == lien, f"{texte} : l'adresse du lien Toute la période {lien} attendue, reçu {v.d.current_url}")


def double_clic_sur_le_graphique(v):
    montrer_le_graphique(v)
    ActionChains(v.d).double_click(v.element("#graphique svg")).perform()


def echap_puis_retour(v):
    """Échap sur le graphique mène à toute la période ; le retour ramène au zoom."""
    zoom = v.d.current_url
    v.d.execute_script("document.getElementById('graphique').focus()")
    aller_a_toute_periode(v, lambda: touches(v, Keys.ESCAPE), "Échap")
    v.charger_apres(v.d.back, "retour après Échap")
    verifier(v.d.current_url == zoom, f"retour après Échap : {zoom} attendue, reçu {v.d.current_url}")


def toute_periode(v, premiere, derniere):
    aller_a_toute_periode(v, v.element("#toute-periode").click, "lien du pluviomètre")
    donnees = verifier_graphique(v, "graphique de toute la période")
    verifier((donnees["debut"], donnees["fin"]) == (premiere, derniere),
             f"toute la période : du {premiere} au {derniere} attendu, tracé du {donnees['debut']} au {donnees['fin']}")
    print(f"toute la période : {v.d.current_url.split('/', 3)[3]}, du {premiere} au {derniere}")
    return donnees


# --- Téléchargements -----------------------------------------------------------------------

def telecharger(v, lien, extension):
    """Le clic sur un lien de téléchargement ; le fichier arrivé entier."""
    avant = set(os.listdir(v.telechargements))
    v.element(lien).click()

    # Chromium réserve le nom par un fichier vide avant d'y renommer son « .crdownload ».
    def arrive():
        noms = set(os.listdir(v.telechargements))
        nouveaux = [n for n in noms - avant if n.endswith("." + extension)]
        en_cours = any(n.endswith(".crdownload") for n in noms)
        pret = nouveaux and not en_cours and os.path.getsize(os.path.join(v.telechargements, nouveaux[0])) > 0
        return nouveaux[0] if pret else None
    nom = v.attendre(arrive, f"{lien} : un fichier .{extension} attendu dans les téléchargements")
    return os.path.join(v.telechargements, nom)


def colonnes_de_nombres(chemin):
    """Chaque colonne de nombres de chaque feuille du classeur : {(feuille, colonne) : [valeurs]}."""
    colonnes, classeur = {}, openpyxl.load_workbook(chemin, read_only=True)
    try:
        for feuille in classeur.worksheets:
            for ligne in feuille.iter_rows(values_only=True):
                for i, valeur in enumerate(ligne):
                    if isinstance(valeur, (int, float)) and not isinstance(valeur, bool):
                        colonnes.setdefault((feuille.title, i + 1), []).append(float(valeur))
    finally:
        classeur.close()
    return colonnes


def lire_csv(chemin):
    with open(chemin, encoding="utf-8", newline="") as f:
        lignes = list(csv.reader(f, delimiter=";"))
    verifier(lignes and lignes[0] == ENTETE_CSV, f"CSV : en-tête {';'.join(ENTETE_CSV)} attendu, reçu {';'.join(lignes[0]) if lignes else 'rien'}")
    return lignes[1:]


def memes_valeurs(a, b):
    return len(a) == len(b) and all(abs(x - y) <= 1e-4 * max(1.0, abs(x)) for x, y in zip(a, b))


def verifier_classeur(chemin, valeurs):
    """Une colonne du classeur porte, dans l'ordre, les valeurs des séries tracées."""
    colonnes = colonnes_de_nombres(chemin)
    verifier(colonnes, f"classeur {os.path.basename(chemin)} : des cellules de nombres attendues, aucune")
    trouvee = [c for c, liste in colonnes.items() if memes_valeurs(liste, valeurs)]
    tailles = {f"{f}!C{c}": len(l) for (f, c), l in colonnes.items()}
    verifier(trouvee, f"classeur : une colonne des {len(valeurs)} valeurs du CSV attendue, colonnes de nombres {tailles}")
    return trouvee[0]


def verifier_csv(lignes, donnees):
    """Chaque point de la page (sa période, sinon sa date ; valeur à 2 décimales) est une ligne du CSV, qui en a
    autant ou plus. Une barre n'y porte que sa période : son jour serait celui d'une position sur l'axe."""
    verifier(len(lignes) >= len(donnees["points"]),
             f"CSV : au moins {len(donnees['points'])} lignes attendues (points de la page), {len(lignes)} reçues")
    par_quand = {}
    for serie, periode, jour, valeur in lignes:
        verifier(not (periode and jour), f"CSV : une période ou un jour attendu, les deux reçus ({periode} ; {jour})")
        par_quand.setdefault(periode or jour, []).append(nombre(valeur))
    for p in donnees["points"]:
        quand = p[5] or p[3]
        verifier(any(abs(x - nombre(p[4])) <= 0.0051 for x in par_quand.get(quand, [])),
                 f"CSV : le point de {quand} valant {p[4]} attendu, reçu {par_quand.get(quand)}")


def telecharger_donnees(v, donnees):
    classeur = telecharger(v, "#telecharger-xlsx", "xlsx")
    lignes = lire_csv(telecharger(v, "#telecharger-csv", "csv"))
    verifier_csv(lignes, donnees)
    feuille, colonne = verifier_classeur(classeur, [nombre(l[3]) for l in lignes])
    print(f"téléchargements : {os.path.basename(classeur)} ({feuille}, colonne {colonne}) et CSV, "
          f"{len(lignes)} lignes pour {len(donnees['points'])} points de la page")


# --- Bulletin du mois ----------------------------------------------------------------------

def verifier_synthese(v, codes):
    lignes = v.d.find_elements(By.CSS_SELECTOR, "table#synthese tbody tr")
    verifier(lignes, f"#synthese : des lignes attendues, aucune sur {v.d.current_url}")
    for tr in lignes:
        code = tr.find_element(By.TAG_NAME, "td").text
        verifier(code in codes, f"#synthese : un code de station attendu en tête de ligne, reçu « {code} »")
    classes = v.d.find_elements(By.CSS_SELECTOR, "table#synthese td.classe")
    verifier(classes, "#synthese : des cellules de classe attendues, aucune")
    for td in classes:
        style, fond = td.get_dom_attribute("style") or "", td.value_of_css_property("background-color")
        couleur = re.search(r"background:\s*#([0-9a-fA-F]{6})", style)
        attendu = "rgba({}, {}, {}, 1)".format(*bytes.fromhex(couleur.group(1))) if couleur else None
        verifier(attendu and fond == attendu and attendu != "rgba(255, 255, 255, 1)",
                 f"#synthese : classe « {td.text} » attendue sur un fond de couleur (style « {style} »), fond à l'écran {fond}")
    return len(lignes), len(classes)


def ouvrir_premier_mois(v):
    """Le premier lien de la liste des mois, suivi ; son adresse et le mois qu'il nomme."""
    premier = v.element("#mois a")
    href, mois = premier.get_attribute("href"), premier.get_attribute("title") or premier.text
    v.charger_apres(premier.click, f"premier mois « {mois} »")
    return href, mois


def bulletin(v):
    v.charger_apres(v.d.find_element(By.LINK_TEXT, "Bulletins").click, "lien Bulletins")
    href, mois = ouvrir_premier_mois(v)
    verifier(v.d.current_url == href, f"bulletin : {href} attendue, reçu {v.d.current_url}")
    lignes, classes = verifier_synthese(v, {s[1] for s in v.stations})
    v.capture("bulletin.png")
    pdf = v.element("#telecharger-pdf").get_attribute("href")
    statut, entetes, corps = demander_url(pdf)
    verifier(statut == 200 and entetes.get("Content-Type") == "application/pdf" and corps.startswith(b"%PDF-"),
             f"{pdf} : 200 application/pdf attendu, reçu {statut} {entetes.get('Content-Type')} ({corps[:8]!r})")
    print(f"bulletin de {mois} : {lignes} stations, {classes} classes colorées, PDF de {len(corps)} octets")


def voisins_du_bulletin(v):
    """Les liens vers les mois voisins du dernier bulletin mènent à des bulletins."""
    v.d.get(v.portail.url + "bulletin")
    _, mois = ouvrir_premier_mois(v)
    liens = v.d.find_elements(By.CSS_SELECTOR, "#voisins a")
    verifier(liens, f"bulletin de {mois} : des liens vers les mois voisins attendus, aucun")
    for lien in liens:
        statut, _, _ = demander_url(lien.get_attribute("href"))
        verifier(statut == 200, f"bulletin de {mois} : « {lien.text} » attendu mener à un bulletin (200), "
                                f"reçu {statut} pour {lien.get_attribute('href')}")
    print(f"bulletin de {mois} : {len(liens)} lien(s) vers les mois voisins, chacun un bulletin")


# --- Piézomètre sous la pluie --------------------------------------------------------------

def titre_du_graphique(v):
    return v.d.execute_script("var t = document.querySelector('#graphique svg title'); return t ? t.textContent : ''")


def colonnes_de_pluie(image, zone, k):
    """Les abscisses extrêmes (pixels de l'image) des barres de pluie, cyan, dans la zone de tracé."""
    pixels, (gauche, haut, largeur, hauteur) = image.convert("RGB").load(), [z * k for z in zone]

    def cyan(x):
        return any(r < 200 and g > 230 and b > 230 for r, g, b in (pixels[x, y] for y in range(int(haut), int(haut + hauteur), 2)))
    colonnes = [x for x in range(int(gauche), int(gauche + largeur)) if cyan(x)]
    return (colonnes[0] / k, colonnes[-1] / k) if colonnes else None


def verifier_pluie_dessinee(v, texte):
    """La pluie que Chromium dessine du SVG de la page couvre les mêmes colonnes que l'image PNG du portail."""
    zone = points_de_la_page(v)["zone"]
    statut, _, png = demander_url(v.element("#telecharger-png").get_attribute("href"))
    verifier(statut == 200, f"{texte} : image PNG attendue 200, reçu {statut}")
    attendu = colonnes_de_pluie(Image.open(io.BytesIO(png)), zone, 1)
    verifier(attendu, f"{texte} : des barres de pluie cyan attendues dans l'image PNG, aucune")
    montrer_le_graphique(v)
    ecran = Image.open(io.BytesIO(v.element("#graphique svg").screenshot_as_png))
    vu = colonnes_de_pluie(ecran, zone, ecran.width / LARGEUR_IMAGE)
    ecart = 0.01 * zone[2]
    verifier(vu and abs(vu[0] - attendu[0]) <= ecart and abs(vu[1] - attendu[1]) <= ecart,
             f"{texte} : pluie attendue des colonnes {attendu[0]:.0f} à {attendu[1]:.0f} comme dans l'image PNG, "
             f"le navigateur la dessine {'nulle part' if not vu else f'de {vu[0]:.0f} à {vu[1]:.0f}'}")
    return vu


def verifier_sous_la_pluie(v, pluviometre, texte):
    choisi = Select(v.element("select[name='pluviometre']")).first_selected_option.get_attribute("value")
    verifier(choisi == pluviometre, f"{texte} : pluviomètre {pluviometre} attendu choisi, {choisi} l'est")
    verifier_graphique(v, texte)
    titre = titre_du_graphique(v)
    verifier(pluviometre in titre and PIEZOMETRE in titre,
             f"{texte} : graphique de {PIEZOMETRE} sous {pluviometre} attendu, titre « {titre} »")


def depuis_l_accueil(v, genre, code):
    v.d.get(v.portail.url)
    v.charger_apres(v.element(f"section#genre-{genre} a[href='/station/{code}']").click, f"lien de {code} sur l'accueil")


def pluviometres(v):
    return [s[1] for s in v.stations if s[0] == "pluvio"]


def piezometre_apres_son_pluviometre(v):
    """Le piézomètre ouvert de l'accueil juste après la page de son premier pluviomètre."""
    premier = pluviometres(v)[0]
    depuis_l_accueil(v, "pluvio", premier)
    verifier_graphique(v, f"page du pluviomètre {premier}")
    depuis_l_accueil(v, "piezo", PIEZOMETRE)
    verifier_sous_la_pluie(v, premier, f"page de {PIEZOMETRE} après celle de {premier}")
    print(f"piézomètre : sous {premier}, le premier pluviomètre")


def piezometre_sous_un_autre(v):
    autre = pluviometres(v)[1]
    v.d.get(f"{v.portail.url}station/{PIEZOMETRE}")
    Select(v.element("select[name='pluviometre']")).select_by_value(autre)
    v.charger_apres(v.element("#tracer").click, "bouton Tracer du piézomètre")
    verifier(v.requete().get("pluviometre") == autre, f"adresse attendue avec pluviometre={autre}, reçu {v.d.current_url}")
    verifier_sous_la_pluie(v, autre, f"{PIEZOMETRE} sous {autre}")
    debut, fin = verifier_pluie_dessinee(v, f"{PIEZOMETRE} sous {autre}")
    print(f"piézomètre : sous {autre} choisi, pluie dessinée des colonnes {debut:.0f} à {fin:.0f} comme dans le PNG")


# --- Courbe de référence : même code qu'un pluviomètre, autre genre -------------------------

def verifier_reference(v, nom, texte):
    titre, graphique = v.element("h1").text, titre_du_graphique(v)
    verifier(v.requete().get("genre") == "reference" and nom in titre and nom in graphique,
             f"{texte} : la courbe « {nom} » attendue (genre=reference), reçu {v.d.current_url}, « {titre} », graphique « {graphique} »")


def reference(v):
    nom = next(s[2] for s in v.stations if s[0] == "reference")
    v.d.get(v.portail.url)
    v.charger_apres(v.element("section#genre-reference tr.station a").click, "lien de la courbe de référence")
    verifier_reference(v, nom, "page de la courbe de référence")
    tracer_dates(v, *DATES_REFERENCE)
    verifier((v.requete().get("debut"), v.requete().get("fin")) == DATES_REFERENCE,
             f"courbe de référence : dates {DATES_REFERENCE} attendues dans l'adresse, reçu {v.d.current_url}")
    verifier_reference(v, nom, "courbe de référence datée")
    aller_a_toute_periode(v, lambda: double_clic_sur_le_graphique(v), "double clic sur la courbe de référence")
    verifier_reference(v, nom, "toute la période de la courbe de référence")
    print(f"courbe de référence : « {nom} », datée puis toute la période d'un double clic, sans changer de genre")


# --- Un autre genre de graphique choisi dans la liste ---------------------------------------

def choisir_genre(v, genre):
    """Le genre choisi dans la liste, qui redessine la page ; ce qu'elle montre, refus compris."""
    v.charger_apres(lambda: Select(v.element("form#demande select[name='type']")).select_by_value(genre), f"genre {genre} choisi")
    refus = [p.text for p in v.d.find_elements(By.CSS_SELECTOR, "p.erreur")]
    dessin = v.d.find_elements(By.CSS_SELECTOR, "figure#graphique > svg")
    if v.requete().get("type") != genre or refus or not dessin:
        return f"{genre} : {refus[0] if refus else 'aucun graphique'} ({v.d.current_url.split('/', 3)[3]})"
    return None


def changer_de_genre(v):
    """De la page tracée au formulaire, chaque genre de la liste choisi à la suite donne un graphique."""
    v.d.get(f"{v.portail.url}station/{PLUVIOMETRE}?type=edition&periodes={PERIODES[0]}&debut={DEBUT}&fin={FIN}")
    genres = [o.get_attribute("value") for o in Select(v.element("form#demande select[name='type']")).options]
    verifier(len(genres) > 1, f"plusieurs genres de graphique attendus dans la liste, reçu {genres}")
    refus = [r for r in (choisir_genre(v, g) for g in genres[1:] + genres[:1]) if r]
    verifier(not refus, f"chaque genre choisi attendu tracé, {len(refus)} refusé(s) sur {len(genres)} : " + " ; ".join(refus))
    print(f"genres : {', '.join(genres)} choisis à la suite, chacun tracé")


# --- L'enchaînement ------------------------------------------------------------------------

def fin_de_parcours(v):
    """Genres choisis, mois voisins, piézomètre et courbe de référence essayés chacun, même si un autre échoue."""
    echecs = 0
    for etape in (changer_de_genre, voisins_du_bulletin, piezometre_apres_son_pluviometre, piezometre_sous_un_autre, reference):
        try:
            etape(v)
        except Echec as e:
            echecs += 1
            print(f"ÉCHEC : {e}", file=sys.stderr)
    verifier(echecs == 0, f"genres, mois voisins, piézomètre et courbe de référence attendus justes, {echecs} essai(s) en défaut")


def parcours(v):
    debut = time.monotonic()
    filtrer_accueil(v)
    ouvrir_pluviometre(v)
    tracer_formulaire(v)
    lire_au_pointeur(v)
    avant = zoomer_rectangle(v)
    revenir(v, avant)
    zoomer_clavier(v)
    *_, premiere, derniere = next(s for s in v.stations if s[:2] == ("pluvio", PLUVIOMETRE))
    telecharger_donnees(v, toute_periode(v, premiere, derniere))
    bulletin(v)
    fin_de_parcours(v)
    print(f"parcours complet en {time.monotonic() - debut:.1f} s")


def essai(options):
    os.makedirs(options.captures, exist_ok=True)
    with portail_exemple(options.programme) as portail, tempfile.TemporaryDirectory(prefix="navigateur-") as dossier:
        stations = lire_stations(options.programme, portail.base)
        pilote = navigateur(dossier)
        try:
            parcours(Visite(pilote, portail, stations, dossier, options.captures))
        except WebDriverException as e:
            raise Echec(f"le navigateur attendu sans erreur, reçu : {e.msg}") from None
        finally:
            pilote.quit()


def main():
    a = analyseur(__doc__)
    a.add_argument("--captures", required=True, help="dossier des captures d'écran")
    options = a.parse_args()
    executer(lambda: essai(options))


if __name__ == "__main__":
    sys.exit(main())
