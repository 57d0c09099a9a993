#!/usr/bin/python3
"""Deux portails derrière nginx, configuré comme l'exemple de deploy/nginx : une
instance pleine (503), puis tuée en plein flot de demandes, puis un processus de
travail de l'autre ; chaque demande reçoit quand même son graphique."""
import base64
import contextlib
import gzip
import hashlib
import http.client
import os
import re
import signal
import socket
import ssl
import subprocess
import tempfile
import threading
import time

from essais_http import (Echec, Releve, Serveur, base_exemple, demander, executer, fermer, lire_arguments, port_libre,
                         remplir, verifier)

EXEMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "deploy", "nginx", "graphique-portail.conf")
UTILISATEUR, MOT_DE_PASSE = "lecteur", "essai-du-portail"
ADRESSES = [
    "/station/76402001?type=edition&periodes=M&debut=01/01/2019&fin=31/12/2023",
    "/station/76401001?type=edition&periodes=A",
    "/station/27403001/graphique.svg?type=edition&periodes=M&debut=01/01/2015&fin=31/12/2020",
    "/station/00754X0012?debut=01/01/2010&fin=31/12/2020",
    "/station/H8043310/graphique.svg",
    "/station/76402001?type=Annee&annee=2020",
]
CLIENTS = 3
PAUSE = 0.02  # entre deux demandes d'un client : un flot régulier, pas une inondation
AVANT_ARRET, APRES_ARRET = 2.0, 3.0
LIGNE_REMPLACEMENT = "un processus du portail s'est arrêté ; il est remplacé"


def substitutions(d):
    """L'exemple, mis sur la boucle locale et dans le dossier de l'essai : (motif, remplacement)."""
    return [
        (r"server 127\.0\.0\.1:8081 ", f"server 127.0.0.1:{d['amont'][0]} "),
        (r"server 127\.0\.0\.1:8082 ", f"server 127.0.0.1:{d['amont'][1]} "),
        (r"listen 80;", f"listen 127.0.0.1:{d['clair']};"),
        (r"listen 443 ssl http2;", f"listen 127.0.0.1:{d['tls']} ssl http2;"),
        (r"listen \[::\]:(80|443)[^;]*;\n", ""),
        (r"/etc/ssl/graphique/portail\.crt", f"{d['dossier']}/portail.crt"),
        (r"/etc/ssl/graphique/portail\.key", f"{d['dossier']}/portail.key"),
        (r"/etc/nginx/graphique-portail\.htpasswd", f"{d['dossier']}/htpasswd"),
        (r"access_log \S+;", f"access_log {d['dossier']}/acces.log amont;"),
        # Toute la charge de l'essai vient d'une seule adresse.
        (r"rate=\d+r/s", "rate=1000r/s"),
    ]


def configuration(d):
    with open(EXEMPLE, encoding="utf-8") as f:
        texte = f.read()
    for motif, remplacement in substitutions(d):
        texte, n = re.subn(motif, remplacement, texte)
        verifier(n > 0, f"le motif « {motif} » attendu dans {EXEMPLE}, absent")
    temporaires = "".join(f"    {n}_temp_path {d['dossier']}/{n};\n" for n in ("client_body", "proxy", "fastcgi", "uwsgi", "scgi"))
    return ("worker_processes 1;\nevents { worker_connections 512; }\nhttp {\n" + temporaires
            + "    log_format amont '$msec|$status|$upstream_addr|$upstream_status';\n"
            # Sans quoi nginx ouvrirait son journal par défaut, hors de portée d'un simple utilisateur.
            + "    access_log off;\n" + texte + "}\n")


def preparer_dossier(d):
    os.chmod(d["dossier"], 0o755)  # les processus de nginx lancés par root lisent sous « nobody »
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                    "-days", "1", "-subj", "/CN=localhost", "-keyout", f"{d['dossier']}/portail.key",
                    "-out", f"{d['dossier']}/portail.crt"], check=True, capture_output=True, timeout=30)
    with open(f"{d['dossier']}/htpasswd", "w") as f:
        f.write(f"{UTILISATEUR}:{{PLAIN}}{MOT_DE_PASSE}\n")
    os.chmod(f"{d['dossier']}/htpasswd", 0o644)
    with open(f"{d['dossier']}/nginx.conf", "w") as f:
        f.write(configuration(d))


@contextlib.contextmanager
def nginx(d):
    dossier = d["dossier"]
    processus = subprocess.Popen(
        ["nginx", "-p", dossier + "/", "-c", f"{dossier}/nginx.conf",
         "-g", f"daemon off; pid {dossier}/nginx.pid; error_log {dossier}/erreurs-nginx.log;"],
        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, start_new_session=True)
    try:
        attendre_port(d["tls"], processus)
        yield processus
    finally:
        with contextlib.suppress(ProcessLookupError):
            os.killpg(processus.pid, signal.SIGTERM)
        try:
            processus.wait(10)
        except subprocess.TimeoutExpired:
            os.killpg(processus.pid, signal.SIGKILL)
            processus.wait(5)


def attendre_port(port, processus, limite=10.0):
    fin = time.monotonic() + limite
    while time.monotonic() < fin:
        verifier(processus.poll() is None, f"nginx lancé attendu, il s'est arrêté : {processus.stderr.read().decode()[:300]}")
        with contextlib.suppress(OSError):
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return
        time.sleep(0.1)
    raise Echec(f"nginx à l'écoute sur {port} attendu en {limite:.0f} s, rien")


def connexion_tls(port):
    contexte = ssl.create_default_context()
    contexte.check_hostname = False
    contexte.verify_mode = ssl.CERT_NONE  # certificat de l'essai, signé par lui-même
    return http.client.HTTPSConnection("127.0.0.1", port, timeout=30, context=contexte)


def entetes(autres=None):
    jeton = base64.b64encode(f"{UTILISATEUR}:{MOT_DE_PASSE}".encode()).decode()
    return {"Authorization": "Basic " + jeton, **(autres or {})}


def demander_tls(c, chemin, autres=None):
    c.request("GET", chemin, headers=entetes(autres))
    r = c.getresponse()
    return r.status, {k.lower(): v for k, v in r.getheaders()}, r.read()


class Flot:
    """Des clients qui demandent les graphiques en boucle, chacun sur sa connexion, jusqu'à l'arrêt."""

    def __init__(self, port, attendus):
        self.port, self.attendus = port, attendus
        self.arret, self.verrou, self.resultats = threading.Event(), threading.Lock(), []
        self.fils = [threading.Thread(target=self.client, args=(rang,)) for rang in range(CLIENTS)]

    def __enter__(self):
        for f in self.fils:
            f.start()
        return self

    def __exit__(self, *_):
        self.arret.set()
        for f in self.fils:
            f.join(60)

    def client(self, rang):
        c, i = connexion_tls(self.port), rang
        while not self.arret.is_set():
            chemin = ADRESSES[i % len(ADRESSES)]
            i += 1
            try:
                statut, _, corps = demander_tls(c, chemin)
                resultat = (statut, hashlib.sha256(corps).hexdigest() == self.attendus[chemin])
            except (OSError, http.client.HTTPException) as e:
                resultat = (repr(e), False)
                c.close()
                c = connexion_tls(self.port)
            with self.verrou:
                self.resultats.append((time.monotonic(), chemin, *resultat))
            time.sleep(PAUSE)
        c.close()

    def verifier_tous_servis(self, moment, minimum):
        refusees = [f"{chemin} → {statut}" for _, chemin, statut, _ in self.resultats if statut != 200]
        melangees = [chemin for _, chemin, statut, juste in self.resultats if statut == 200 and not juste]
        verifier(not refusees and not melangees,
                 f"{moment} : 200 avec son graphique attendu pour chaque demande ; sur {len(self.resultats)}, {len(refusees)} "
                 f"sans 200 {refusees[:3]}, {len(melangees)} avec un autre contenu que le sien {sorted(set(melangees))[:3]}")
        verifier(len(self.resultats) >= minimum, f"{moment} : au moins {minimum} demandes servies attendues, {len(self.resultats)} venues")


def contenus_attendus(port):
    """Chaque adresse demandée seule, à une instance : le contenu que le flot doit recevoir."""
    attendus = {}
    for chemin in ADRESSES:
        r = demander(port, chemin)
        verifier(r.statut == 200 and b"<svg" in r.corps, f"{chemin} : 200 avec un graphique attendu, {r.statut} venu")
        attendus[chemin] = hashlib.sha256(r.corps).hexdigest()
    return attendus


def reponses_du_journal(d, depuis, jusqua):
    """(port, statut) de chaque réponse d'une instance entre deux instants (horloge murale), d'après nginx."""
    paires = set()
    with open(f"{d['dossier']}/acces.log") as f:
        for ligne in f:
            instant, _, adresses, statuts = ligne.strip().split("|")
            if depuis <= float(instant) <= jusqua:
                ports = [int(p) for p in re.findall(r"127\.0\.0\.1:(\d+)", adresses)]
                paires.update(zip(ports, (int(x) for x in re.findall(r"\d{3}", statuts))))
    return paires


def port_ferme(port):
    try:
        socket.create_connection(("127.0.0.1", port), timeout=2).close()
        return False
    except ConnectionRefusedError:
        return True


def tuer_une_instance(d, tuee, survivante):
    with Flot(d["tls"], d["attendus"]) as flot:
        time.sleep(AVANT_ARRET)
        instant = time.time()
        # Toute l'instance d'un coup : le parent et ses processus de travail.
        os.killpg(tuee.pid, signal.SIGKILL)
        time.sleep(APRES_ARRET)
    verifier(port_ferme(tuee.port), f"plus rien à l'écoute sur {tuee.port} après l'arrêt attendu, une connexion y est acceptée")
    flot.verifier_tous_servis("une instance tuée en plein flot", 20)
    apres = [r for r in flot.resultats if r[0] > time.monotonic() - APRES_ARRET + 0.5]
    verifier(len(apres) >= 5, f"des demandes servies après l'arrêt attendues, {len(apres)} venues")
    servies = reponses_du_journal(d, 0, instant)
    verifier({(tuee.port, 200), (survivante.port, 200)} <= servies,
             f"les deux instances au travail avant l'arrêt attendues ({tuee.port}, {survivante.port}), {sorted(servies)} vues")


def saturer_une_instance(d, pleine, autre):
    """Une instance pleine répond 503 : nginx passe à l'autre, et le lecteur ne voit rien."""
    prises = remplir(pleine.port)
    try:
        # Un nginx neuf : aucune connexion d'avant n'est gardée vers l'instance pleine.
        with nginx(d):
            debut = time.time()
            with Flot(d["tls"], d["attendus"]) as flot:
                time.sleep(1.5)
            fin = time.time()
    finally:
        fermer(prises)
    flot.verifier_tous_servis("une instance pleine", 10)
    vues = reponses_du_journal(d, debut, fin)
    verifier((pleine.port, 503) in vues and (autre.port, 200) in vues,
             f"des 503 de l'instance pleine ({pleine.port}) repris par l'autre ({autre.port}) attendus, {sorted(vues)} vus")


def tuer_un_processus(d, instance):
    ancien = instance.attendre_enfants(1)
    os.kill(ancien[0], signal.SIGKILL)
    # Le flot part dès que le parent a vu la mort, donc les prises du mort fermées :
    # une demande envoyée sur une prise gardée qui ne l'est pas encore compterait
    # pour nginx comme un échec de l'instance (trois, et la voilà écartée 10 s).
    # Le remplaçant démarre encore : les demandes l'attendent dans la file de la prise.
    attendre_ligne(instance, f"graphique : attention : {LIGNE_REMPLACEMENT}")
    with Flot(d["tls"], d["attendus"]) as flot:
        time.sleep(2.0)
    nouveau = instance.attendre_enfants(1, sauf=ancien)
    verifier(instance.processus.poll() is None, "l'instance vivante après la perte d'un processus attendue, elle s'est arrêtée")
    verifier(nouveau != ancien, f"un processus remplaçant attendu, {nouveau} trouvé")
    flot.verifier_tous_servis("un processus de travail tué", 5)


def attendre_ligne(instance, ligne, limite=10.0):
    fin = time.monotonic() + limite
    while ligne not in instance.erreurs():
        verifier(time.monotonic() < fin, f"la ligne « {ligne} » attendue en {limite:.0f} s, « {instance.erreurs().strip()[:200]} » venu")
        time.sleep(0.02)


def verifier_sante(d):
    c = connexion_tls(d["tls"])
    try:
        statut, _, corps = demander_tls(c, "/sante")
    finally:
        c.close()
    verifier(statut == 200 and corps == b"ok\n", f"/sante par nginx : 200 « ok » attendu, {statut} {corps[:40]!r} venu")


def verifier_acces(d):
    """Sans mot de passe, 401 ; en clair, le renvoi vers HTTPS ; POST passe au portail qui refuse."""
    c = connexion_tls(d["tls"])
    try:
        c.request("GET", ADRESSES[0])
        r = c.getresponse()
        r.read()
        verifier(r.status == 401, f"sans mot de passe : 401 attendu, {r.status} venu")
        c.request("POST", ADRESSES[0], body=b"", headers=entetes())
        r = c.getresponse()
        r.read()
        verifier(r.status == 405, f"POST par nginx : 405 attendu, {r.status} venu")
    finally:
        c.close()
    clair = http.client.HTTPConnection("127.0.0.1", d["clair"], timeout=10)
    try:
        clair.request("GET", "/sante")
        r = clair.getresponse()
        r.read()
        verifier(r.status == 301 and (r.getheader("Location") or "").startswith("https://"),
                 f"en clair : 301 vers https:// attendu, {r.status} {r.getheader('Location')!r} venu")
    finally:
        clair.close()


def verifier_compression(d):
    """La page arrive compressée, et son étiquette affaiblie par nginx la revalide encore."""
    c = connexion_tls(d["tls"])
    try:
        statut, tete, corps = demander_tls(c, ADRESSES[0], {"Accept-Encoding": "gzip"})
        verifier(statut == 200 and tete.get("content-encoding") == "gzip",
                 f"page compressée attendue (200, gzip), {statut} {tete.get('content-encoding')!r} venu")
        verifier(b'<figure id="graphique"' in gzip.decompress(corps), "la page décompressée avec son graphique attendue, autre chose venu")
        etiquette = tete.get("etag", "")
        statut, _, _ = demander_tls(c, ADRESSES[0], {"Accept-Encoding": "gzip", "If-None-Match": etiquette})
        verifier(statut == 304, f"revalidation par nginx avec « {etiquette} » : 304 attendu, {statut} venu")
    finally:
        c.close()


def principal():
    arguments = lire_arguments(__doc__)
    releve = Releve()
    with tempfile.TemporaryDirectory(prefix="portail-equilibreur-") as dossier:
        base = base_exemple(arguments.programme, dossier)
        with Serveur(arguments.programme, base, dossier) as a, Serveur(arguments.programme, base, dossier) as b:
            d = {"dossier": dossier, "amont": (a.port, b.port), "clair": port_libre(), "tls": port_libre()}
            preparer_dossier(d)
            d["attendus"] = contenus_attendus(a.port)
            with releve.essai():
                saturer_une_instance(d, a, b)
            with nginx(d):
                for essai in (verifier_acces, verifier_compression):
                    with releve.essai():
                        essai(d)
                with releve.essai():
                    tuer_une_instance(d, a, b)
                with releve.essai():
                    verifier_sante(d)
                with releve.essai():
                    tuer_un_processus(d, b)
                verifier_sante(d)
    releve.conclure()


if __name__ == "__main__":
    executer(principal)
