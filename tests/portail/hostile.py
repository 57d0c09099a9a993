#!/usr/bin/python3
"""Le portail face aux demandes hostiles : chacune reçoit son statut et une courte
page française, le serveur répond toujours aussitôt, la base reste intacte."""
import contextlib
import hashlib
import html
import os
import re
import socket
import tempfile
import threading
import time

from essais_http import (Releve, Serveur, base_exemple, demander, envoyer_brut, executer, fermer, lire_arguments,
                         ouvrir_connexions, remplir, sante_rapide, statut_brut, verifier)

STATION = "/station/76402001"
# Trois pluviomètres superposés sur vingt ans : le plus long tracé des essais.
LOURDE = "/station/76402001/graphique.csv?type=Superposition&periodes=M&debut=01/01/2001&fin=31/12/2020&stations=76401001,27403001"
# Plus d'un millier de stations, en moins de 16 Kio : un tel graphique occuperait le processus.
ENORME = STATION + "?type=Superposition&stations=" + ",".join(f"Z{i:07d}" for i in range(1400))
ENORME_REPETEE = STATION + "?type=Superposition&stations=" + ",".join(["76401001", "27403001"] * 700)
REPONSE_RAPIDE = 5.0
GRAPHIQUE = STATION + "?type=edition&periodes=M&debut=01/01/2019&fin=31/12/2023"

# (ce qui est essayé, méthode, adresse, statut attendu)
DEMANDES = [
    ("station inconnue", "GET", "/station/99999999", 404),
    ("téléchargement d'une station inconnue", "GET", "/station/99999999/graphique.svg", 404),
    ("genre de graphique inconnu", "GET", STATION + "?type=Zzz", 400),
    ("dates inversées", "GET", STATION + "?debut=31/12/2023&fin=01/01/2019", 400),
    ("date en 9999", "GET", STATION + "?debut=01/01/9999", 400),
    ("date en 1500", "GET", STATION + "?debut=01/01/1500&fin=31/12/2000", 400),
    ("cinq siècles sans regroupement", "GET", STATION + "?periodes=S&debut=01/01/1600&fin=31/12/2100", 400),
    ("date impossible", "GET", STATION + "?debut=31/02/2020", 400),
    ("paramètre inconnu", "GET", STATION + "?couleur=rouge", 400),
    ("paramètre inconnu au téléchargement", "GET", STATION + "/graphique.csv?couleur=rouge", 400),
    ("paramètre donné deux fois", "GET", STATION + "?type=edition&type=Annee", 400),
    ("chemin remontant dans les actifs", "GET", "/actifs/../../etc/passwd", 404),
    ("chemin remontant encodé", "GET", "/actifs/%2e%2e/%2e%2e/etc/passwd", 404),
    ("barres encodées dans le code", "GET", "/station/..%2f..%2fetc%2fpasswd", 404),
    ("actif inconnu", "GET", "/actifs/portail.css.bak", 404),
    ("code en octets non UTF-8", "GET", "/station/%ff%fe", 400),
    ("valeur en octets non UTF-8", "GET", STATION + "?debut=%ff", 400),
    ("ordre SQL en paramètre", "GET", STATION + "?type=edition%27%3BDROP%20TABLE%20STATIONS%3B--", 400),
    ("ordre SQL en code", "GET", "/station/76402001%27%20OR%20%271%27%3D%271", 404),
    ("mois impossible", "GET", "/bulletin/2020-13", 404),
    ("station inconnue superposée", "GET", STATION + "?type=Superposition&stations=ZZZ", 400),
    ("piézomètre superposé aux pluies", "GET", STATION + "?type=Superposition&stations=00754X0012", 400),
    ("piézomètre pris pour pluviomètre", "GET", "/station/00754X0012?pluviometre=00755X0031", 400),
    ("année hors bornes", "GET", STATION + "?type=Annee&annee=99999", 400),
    ("années de statistiques hors bornes", "GET", STATION + "?type=comparaisonNormale&annees-statistiques=1000-3000", 400),
] + [(f"méthode {m}", m, STATION, 405) for m in ("POST", "PUT", "DELETE", "OPTIONS", "TRACE", "PATCH")]

# Octets qui ne sont pas une demande : une réponse 4xx ou la connexion fermée, jamais davantage.
OCTETS_MALFORMES = [
    ("octets quelconques", b"\x00\x01\x02garbage\xff\xfe\r\n\r\n"),
    ("ligne de demande sans chemin", b"GET\r\n\r\n"),
    ("version inconnue", b"GET / HTTP/9.9\r\nHost: x\r\n\r\n"),
    ("chemin en octets bruts", b"GET /station/\xff\xfe HTTP/1.1\r\nHost: x\r\n\r\n"),
    ("en-tête sans deux-points", b"GET / HTTP/1.1\r\nHost x\r\n\r\n"),
    ("longueur négative", b"GET / HTTP/1.1\r\nHost: x\r\nContent-Length: -5\r\n\r\n"),
]

# « Connection: close », dit par le portail sur un refus ou par le client, ferme aussitôt.
FERMETURES = [
    ("refus annoncé fermant", b"GET /station/99999999 HTTP/1.1\r\nHost: x\r\n\r\n"),
    ("fermeture demandée par le client", b"GET /sante HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"),
    ("demande HTTP/1.0 sans keep-alive", b"GET /sante HTTP/1.0\r\n\r\n"),
    # Longueur et découpage ensemble : la suite du flot est douteuse, la connexion doit se fermer.
    ("Content-Length et Transfer-Encoding ensemble",
     b"GET /sante HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n"),
]
# Trois demandes d'un seul envoi : trois réponses, dans l'ordre.
ENCHAINEES = (b"GET /sante HTTP/1.1\r\nHost: x\r\n\r\nGET /actifs/portail.css HTTP/1.1\r\nHost: x\r\n\r\n"
              b"GET /station/99999999 HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")

# Une page et un téléchargement demandés par HEAD avant tout GET.
HEAD = [STATION + "?type=edition&periodes=T", STATION + "/graphique.png?type=edition&periodes=T"]

# Du balisage glissé dans l'adresse revient échappé, jamais tel quel : (adresse, statut, texte interdit).
MARQUE = "%3Cscript%3Ealert(1)%3C%2Fscript%3E"
ECHAPPEMENTS = [
    ("/?filtre=" + MARQUE, 200, "<script>alert(1)"),
    ("/station/" + MARQUE, 404, "<script>alert(1)"),
    (STATION + "?type=%3Cimg%20src=x%20onerror=alert(1)%3E", 400, "<img src=x"),
    (STATION + "?periodes=" + MARQUE, 400, "<script>alert(1)"),
]


def texte_erreur(corps):
    m = re.search(r'<p class="erreur">(.*?)</p>', corps, re.S)
    return html.unescape(m.group(1)).strip() if m else None


def verifier_page_erreur(nom, r):
    corps = r.texte()
    verifier((r.entete("content-type") or "").startswith("text/html"), f"{nom} : une page HTML attendue, {r.entete('content-type')} venu")
    verifier('lang="fr"' in corps, f"{nom} : une page en français (lang=\"fr\") attendue")
    texte = texte_erreur(corps)
    verifier(texte and 5 <= len(texte) <= 400, f"{nom} : un <p class=\"erreur\"> court attendu, {texte!r} venu")
    verifier("<svg" not in corps, f"{nom} : aucune courbe attendue sur une demande refusée")
    verifier("root:" not in corps, f"{nom} : aucun fichier du système attendu, la page en montre un")


def essayer_demande(port, nom, methode, chemin, attendu):
    r = demander(port, chemin, methode=methode)
    verifier(r.statut == attendu, f"{nom} ({methode} {chemin}) : {attendu} attendu, {r.statut} venu : {texte_erreur(r.texte())!r}")
    verifier_page_erreur(nom, r)
    if attendu == 405:
        verifier(r.entete("allow") == "GET, HEAD", f"{nom} : « Allow: GET, HEAD » attendu, {r.entete('allow')!r} venu")


def essayer_echappement(port, chemin, attendu, interdit):
    r = demander(port, chemin)
    verifier(r.statut == attendu, f"{chemin} : {attendu} attendu, {r.statut} venu")
    verifier(interdit not in r.texte(), f"{chemin} : « {interdit} » échappé attendu, il revient tel quel dans la page")


def essayer_octets(port, nom, octets):
    reponse, fermee = envoyer_brut(port, octets, delai=3)
    statut = statut_brut(reponse)
    rien = statut is None and not reponse and fermee
    verifier(rien or statut is not None and (400 <= statut < 500 or statut == 505),
             f"{nom} : une réponse 4xx ou la connexion fermée attendue, {reponse[:60]!r} venu ({'fermée' if fermee else 'ouverte'})")


def essayer_fermeture(port, nom, octets):
    debut = time.monotonic()
    reponse, fermee = envoyer_brut(port, octets, delai=3)
    verifier(statut_brut(reponse) is not None, f"{nom} : une réponse attendue, {reponse[:60]!r} venu")
    verifier(fermee, f"{nom} : la connexion fermée après la réponse attendue, encore ouverte après {time.monotonic() - debut:.1f} s")


def annee_de(periode, jour):
    """L'année d'une ligne : celle de son jour, sinon de sa période de barre (« MM/AA », relevés de 1950 à 2049)."""
    if jour:
        return int(jour[-4:])
    deux = int(periode[-2:])
    return (1900 if deux >= 50 else 2000) + deux


def annees_et_series(corps):
    lignes = [l.split(";") for l in corps.decode("utf-8", "replace").splitlines()[1:]]
    return ({annee_de(l[1], l[2]) for l in lignes if len(l) == 4 and (l[1] or l[2])},
            {l[0] for l in lignes if len(l) == 4})


def essayer_demandes_melees(port):
    """Pendant un long tracé, d'autres demandes arrivent : chacune reçoit ses propres séries."""
    lourde = []
    fil = threading.Thread(target=lambda: lourde.append(demander(port, LOURDE, delai=60)))
    fil.start()
    try:
        for annee in range(1981, 2001):
            if annee > 1981 and not fil.is_alive():
                break
            r = demander(port, f"/station/76401001/graphique.csv?type=edition&periodes=M&debut=01/01/{annee}&fin=31/12/{annee}")
            annees, _ = annees_et_series(r.corps)
            verifier(r.statut == 200 and annees == {annee}, f"séries de {annee} seule attendues, {r.statut} avec les années {sorted(annees)} venu")
    finally:
        fil.join(60)
    verifier(lourde, "une réponse à la longue superposition attendue, rien n'est venu")
    annees, series = annees_et_series(lourde[0].corps)
    verifier(lourde[0].statut == 200 and annees and min(annees) >= 2001 and max(annees) <= 2020 and len(series) >= 3,
             f"superposition de 2001 à 2020, trois stations : attendue, {lourde[0].statut} avec les années "
             f"{sorted(annees)[:3]}…{sorted(annees)[-3:]} et les séries {sorted(series)} venu")


def essayer_liste_repetee(port):
    """Deux stations répétées sept cents fois : répondue à temps, tracée ou refusée."""
    r = demander(port, ENORME_REPETEE, delai=30)
    verifier(r.statut in (200, 400) and r.duree < REPONSE_RAPIDE,
             f"deux stations répétées 700 fois : 200 ou 400 en moins de {REPONSE_RAPIDE:.0f} s attendu, {r.statut} en {r.duree:.1f} s venu")


def series_d_une_annee(annee):
    return f"/station/76401001/graphique.csv?type=edition&periodes=M&debut=01/01/{annee}&fin=31/12/{annee}&mesures=1"


def essayer_demandes_simultanees(port):
    """Dix téléchargements à la fois sur le même processus : chacun reçoit son année, et elle seule."""
    annees = range(1991, 2001)
    recues = {}
    fils = [threading.Thread(target=lambda a=a: recues.__setitem__(a, demander(port, series_d_une_annee(a)))) for a in annees]
    for f in fils:
        f.start()
    for f in fils:
        f.join(60)
    lues = {a: (r.statut, annees_et_series(r.corps)[0]) for a, r in recues.items()}
    fausses = {a: lues.get(a, "sans réponse") for a in annees if lues.get(a) != (200, {a})}
    verifier(not fausses, f"dix demandes simultanées : chacune son année attendue, {len(fausses)} autrement (année : statut, années reçues) {fausses}")


def essayer_enchainees(port):
    reponse, _ = envoyer_brut(port, ENCHAINEES, delai=3)
    statuts = [int(x) for x in re.findall(rb"HTTP/1\.1 (\d{3}) ", reponse)]
    types = re.findall(rb"Content-Type: ([a-z/]+)", reponse)
    verifier(statuts == [200, 200, 404] and types == [b"text/plain", b"text/css", b"text/html"],
             f"trois demandes enchaînées : 200, 200, 404 (texte, CSS, HTML) attendus, {statuts} {types} venus")


def essayer_trop_long(port):
    chemin = GRAPHIQUE + "&x=" + "a" * (20 * 1024)
    reponse, fermee = envoyer_brut(port, f"GET {chemin} HTTP/1.1\r\nHost: x\r\n\r\n".encode(), delai=5)
    verifier(statut_brut(reponse) == 431, f"demande de 20 Kio : 431 attendu, {reponse[:60]!r} venu")
    verifier(fermee, "demande de 20 Kio : la connexion fermée attendue, elle est restée ouverte")


def essayer_head(port, chemin):
    """HEAD d'abord, sur une adresse encore jamais tracée ; puis GET : mêmes en-têtes, sans corps."""
    # Un corps envoyé à tort arriverait dans la seconde.
    reponse, _ = envoyer_brut(port, f"HEAD {chemin} HTTP/1.1\r\nHost: x\r\n\r\n".encode(), delai=1)
    plein = demander(port, chemin)
    tete, _, corps = reponse.partition(b"\r\n\r\n")
    verifier(statut_brut(reponse) == 200, f"HEAD {chemin} : 200 attendu, {reponse[:60]!r} venu")
    longueur = re.search(rb"\r\ncontent-length: *(\d+)", tete, re.I)
    verifier(longueur and int(longueur.group(1)) == len(plein.corps),
             f"HEAD {chemin} : Content-Length {len(plein.corps)} (celle du GET) attendue, {longueur and longueur.group(1)!r} venue")
    verifier(corps == b"", f"HEAD {chemin} : aucun corps attendu, {len(corps)} octets venus")
    disposition = plein.entete("content-disposition") or ""
    verifier(disposition.encode() in tete, f"HEAD {chemin} : le Content-Disposition du GET ({disposition!r}) attendu, absent")


def essayer_client_lent(port):
    """Une demande commencée puis tue : fermée vers 10 s, sans retarder les autres."""
    with socket.create_connection(("127.0.0.1", port), timeout=20) as lent:
        debut = time.monotonic()
        lent.sendall(b"GET /sante HTTP/1.1\r\nHost: x\r\n")
        time.sleep(0.3)
        # Une adresse encore jamais demandée : le graphique se trace pendant l'attente du client lent.
        r = demander(port, STATION + "?type=edition&periodes=A")
        verifier(r.statut == 200 and r.duree < 1.0, f"pendant un client lent : 200 en moins de 1 s attendu, {r.statut} en {r.duree:.2f} s venu")
        recu = b""
        with contextlib.suppress(ConnectionResetError, socket.timeout):
            while morceau := lent.recv(4096):
                recu += morceau
        duree = time.monotonic() - debut
    verifier(8.0 <= duree <= 13.0, f"client lent : fermé vers 10 s attendu, fermé après {duree:.1f} s")
    verifier(recu == b"" or statut_brut(recu) == 408, f"client lent : 408 ou rien attendu, {recu[:60]!r} venu")


def essayer_mille_connexions(port):
    prises = ouvrir_connexions(port, 1000)
    try:
        time.sleep(0.5)
        r = demander(port, GRAPHIQUE)
        verifier(r.statut == 200 and r.duree < 1.0, f"avec 1000 connexions muettes : 200 en moins de 1 s attendu, {r.statut} en {r.duree:.2f} s venu")
    finally:
        fermer(prises)


def essayer_trop_de_connexions(port):
    """Au-delà de 4000 connexions ouvertes, la suivante reçoit 503 et se ferme."""
    fermer(remplir(port))


def empreinte(chemin):
    with open(chemin, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def verifier_serveur_intact(serveur, travailleurs, dossier):
    verifier(serveur.processus.poll() is None, f"le portail vivant attendu, il s'est arrêté (code {serveur.processus.returncode})")
    verifier(serveur.enfants() == travailleurs, f"le même processus de travail attendu ({travailleurs}), {serveur.enfants()} trouvés")
    erreurs = serveur.erreurs()
    for signe in ("s'est arrêté", "Segmentation", "Abandon", "Aborted", "terminate called", "ASSERT"):
        verifier(signe not in erreurs, f"aucun plantage attendu dans les erreurs du portail, « {signe} » lu : {erreurs[-300:]!r}")
    cores = [n for n in os.listdir(dossier) if n.startswith("core")]
    verifier(not cores, f"aucun fichier core attendu, {cores} trouvés")


def essayer_tout(port, releve):
    essais = [(essayer_demande, (port, *d)) for d in DEMANDES]
    essais += [(essayer_echappement, (port, *e)) for e in ECHAPPEMENTS]
    essais += [(essayer_octets, (port, *o)) for o in OCTETS_MALFORMES]
    essais += [(essayer_fermeture, (port, *f)) for f in FERMETURES]
    essais += [(essayer_head, (port, chemin)) for chemin in HEAD]
    seuls = (essayer_demandes_melees, essayer_demandes_simultanees, essayer_enchainees, essayer_trop_long,
             essayer_client_lent, essayer_mille_connexions, essayer_trop_de_connexions)
    essais += [(e, (port,)) for e in seuls]
    # En dernier : tracées au lieu d'être refusées, elles occuperaient le processus pendant les essais suivants.
    essais += [(essayer_demande, (port, "plus d'un millier de stations superposées", "GET", ENORME, 400)),
               (essayer_liste_repetee, (port,))]
    for essai, parametres in essais:
        with releve.essai():
            essai(*parametres)
        # Après chaque demande hostile, le portail répond encore aussitôt.
        sante_rapide(port)


def principal():
    arguments = lire_arguments(__doc__)
    with tempfile.TemporaryDirectory(prefix="portail-hostile-") as dossier:
        base = base_exemple(arguments.programme, dossier)
        avant = empreinte(base)
        with Serveur(arguments.programme, base, dossier) as serveur:
            travailleurs = serveur.attendre_enfants(1)
            verifier(demander(serveur.port, GRAPHIQUE).statut == 200, "le graphique ordinaire attendu en 200 avant les essais")
            releve = Releve()
            essayer_tout(serveur.port, releve)
            with releve.essai():
                verifier_serveur_intact(serveur, travailleurs, dossier)
        with releve.essai():
            verifier(empreinte(base) == avant, "la base inchangée attendue (même sha256), elle a changé")
        releve.conclure()


if __name__ == "__main__":
    executer(principal)
