"""Outils communs des essais du portail : une base d'exemple, des serveurs
lancés et toujours arrêtés, des demandes HTTP par http.client, urllib ou octet par octet."""
import argparse
import contextlib
import http.client
import os
import re
import resource
import select
import signal
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

LIGNE_ECOUTE = re.compile(r"portail à l'écoute sur http://127\.0\.0\.1:(\d+)/")
DEPART_MAXIMAL = 30.0


class Echec(Exception):
    """Une vérification manquée : son texte dit ce qui était attendu et ce qui est venu."""


def verifier(condition, message):
    if not condition:
        raise Echec(message)


class Releve:
    """Des vérifications indépendantes : chaque échec s'écrit sur sa ligne, l'essai échoue à la fin."""

    def __init__(self):
        self.echecs = []

    @contextlib.contextmanager
    def essai(self):
        try:
            yield
        except Echec as e:
            print(f"ÉCHEC : {e}", file=sys.stderr, flush=True)
            self.echecs.append(str(e))

    def conclure(self):
        verifier(not self.echecs, f"{len(self.echecs)} vérification(s) manquée(s), toutes attendues réussies")


def analyseur(description):
    """Les arguments communs ; un essai qui en veut d'autres les ajoute."""
    parseur = argparse.ArgumentParser(description=description)
    parseur.add_argument("--programme", required=True, help="le programme graphique")
    return parseur


def lire_arguments(description):
    return analyseur(description).parse_args()


def executer(principal):
    """Lance l'essai ; un échec s'écrit en une ligne et sort en 1."""
    # Arrêté de dehors (délai de ctest), l'essai range encore ce qu'il a lancé.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ÉCHEC : l'essai a été arrêté de dehors avant la fin"))
    debut = time.monotonic()
    try:
        principal()
    except Echec as e:
        print(f"ÉCHEC : {e}", file=sys.stderr)
        sys.exit(1)
    except Exception as e:  # noqa: BLE001 — toute autre panne se dit aussi en une ligne
        print(f"ÉCHEC : l'essai devait aller au bout, il s'est arrêté sur {e!r}", file=sys.stderr)
        sys.exit(1)
    print(f"réussi en {time.monotonic() - debut:.1f} s")


def environnement():
    env = dict(os.environ)
    env["QT_QPA_PLATFORM"] = "offscreen"
    return env


def commande(programme, *arguments, delai=120):
    r = subprocess.run([programme, *arguments], capture_output=True, text=True, env=environnement(), timeout=delai)
    verifier(r.returncode == 0, f"« graphique {' '.join(arguments[:3])} » : code 0 attendu, {r.returncode} venu : {r.stderr.strip()[:300]}")
    return r.stdout


def base_exemple(programme, dossier):
    chemin = os.path.join(dossier, "exemple.db")
    commande(programme, "exemple", "--base", chemin)
    return chemin


def port_libre():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def lire_port(processus, limite):
    """Le port de la ligne d'annonce, lue sur la sortie du serveur."""
    fin = time.monotonic() + limite
    while time.monotonic() < fin:
        prets, _, _ = select.select([processus.stdout], [], [], 0.2)
        if prets:
            ligne = processus.stdout.readline().decode("utf-8", "replace")
            m = LIGNE_ECOUTE.search(ligne)
            if m:
                return int(m.group(1))
            verifier(ligne, "une ligne d'annonce du portail attendue, la sortie s'est fermée")
        verifier(processus.poll() is None, f"le portail devait démarrer, il s'est arrêté (code {processus.returncode})")
    raise Echec(f"la ligne d'annonce du portail attendue en {limite:.0f} s, rien n'est venu")


class Serveur:
    """Un « graphique serveur » dans son propre groupe de processus, arrêté en entier à la sortie."""

    def __init__(self, programme, base, dossier, processus=1, ecoute="127.0.0.1:0"):
        self.journal = tempfile.NamedTemporaryFile(dir=dossier, prefix="serveur-", suffix=".err", delete=False)
        self.processus = subprocess.Popen(
            [programme, "serveur", "--base", base, "--ecoute", ecoute, "--processus", str(processus)],
            stdout=subprocess.PIPE, stderr=self.journal, env=environnement(), start_new_session=True, cwd=dossier)
        self.pid = self.processus.pid
        self.port, self.url = None, None

    def __enter__(self):
        try:
            self.port = lire_port(self.processus, DEPART_MAXIMAL)
        except BaseException:
            self.arreter()
            raise
        self.url = f"http://127.0.0.1:{self.port}/"
        return self

    def __exit__(self, *_):
        self.arreter()

    def arreter(self):
        if self.processus.poll() is None:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(self.pid, signal.SIGTERM)
            try:
                self.processus.wait(10)
            except subprocess.TimeoutExpired:
                pass
        # Les processus de travail restés seuls partent aussi.
        with contextlib.suppress(ProcessLookupError):
            os.killpg(self.pid, signal.SIGKILL)
        with contextlib.suppress(subprocess.TimeoutExpired):
            self.processus.wait(5)
        self.processus.stdout.close()
        self.journal.close()

    def attendre_sante(self, limite=DEPART_MAXIMAL):
        """Prêt quand /sante répond « ok » : la base est ouverte, pas seulement le port."""
        fin = time.monotonic() + limite
        statut = None
        while time.monotonic() < fin and self.processus.poll() is None:
            with contextlib.suppress(Echec):
                r = demander(self.port, "/sante", delai=5)
                statut = r.statut
                if statut == 200 and r.corps == b"ok\n":
                    return
            time.sleep(0.1)
        raise Echec(f"/sante attendu 200 « ok » en {limite:.0f} s, reçu {statut} ; erreurs : {self.erreurs().strip()[:300]}")

    def erreurs(self):
        with open(self.journal.name, encoding="utf-8", errors="replace") as f:
            return f.read()

    def enfants(self):
        """Les processus de travail : ceux dont le parent est le serveur."""
        trouves = []
        for nom in os.listdir("/proc"):
            if nom.isdigit():
                with contextlib.suppress(OSError):
                    with open(f"/proc/{nom}/stat") as f:
                        champs = f.read().rsplit(")", 1)[1].split()
                    if int(champs[1]) == self.pid and champs[0] != "Z":
                        trouves.append(int(nom))
        return trouves


    def attendre_enfants(self, nombre, limite=10.0, sauf=()):
        """Les processus de travail, une fois qu'il y en a « nombre » hors de « sauf »."""
        fin = time.monotonic() + limite
        while time.monotonic() < fin:
            enfants = [p for p in self.enfants() if p not in sauf]
            if len(enfants) == nombre:
                return enfants
            time.sleep(0.05)
        raise Echec(f"{nombre} processus de travail attendus en {limite:.0f} s, {self.enfants()} trouvés")


class Reponse:
    def __init__(self, statut, entetes, corps, duree):
        self.statut, self.entetes, self.corps, self.duree = statut, entetes, corps, duree

    def entete(self, nom):
        return self.entetes.get(nom.lower())

    def texte(self):
        return self.corps.decode("utf-8", "replace")


def demander(port, chemin, methode="GET", entetes=None, delai=30.0):
    debut = time.monotonic()
    c = http.client.HTTPConnection("127.0.0.1", port, timeout=delai)
    try:
        c.request(methode, chemin, headers=entetes or {})
        r = c.getresponse()
        corps = r.read()
        return Reponse(r.status, {k.lower(): v for k, v in r.getheaders()}, corps, time.monotonic() - debut)
    except (OSError, http.client.HTTPException) as e:
        raise Echec(f"{methode} {chemin[:100]} : une réponse attendue, {e!r} venu après {time.monotonic() - debut:.1f} s") from e
    finally:
        c.close()


def demander_url(url, delai=30):
    """(statut, en-têtes, corps) par urllib, qui suit les redirections ; un statut d'erreur est une réponse."""
    try:
        with urllib.request.urlopen(url, timeout=delai) as r:
            return r.status, r.headers, r.read()
    except urllib.error.HTTPError as e:
        with e:
            return e.code, e.headers, e.read()


@contextlib.contextmanager
def portail_exemple(programme, processus=1):
    """Un portail prêt sur une base d'exemple neuve, dans un dossier effacé en sortant."""
    with tempfile.TemporaryDirectory(prefix="portail-") as dossier:
        base = base_exemple(programme, dossier)
        with Serveur(programme, base, dossier, processus) as serveur:
            serveur.attendre_sante()
            serveur.base = base
            yield serveur


def envoyer_brut(port, octets, delai=15.0):
    """Envoie des octets tels quels et lit jusqu'à la fermeture ; rend (réponse, fermée par le serveur)."""
    with socket.create_connection(("127.0.0.1", port), timeout=delai) as s:
        s.sendall(octets)
        recu = b""
        try:
            while True:
                morceau = s.recv(65536)
                if not morceau:
                    return recu, True
                recu += morceau
        except socket.timeout:
            return recu, False
        except ConnectionResetError:
            return recu, True


def statut_brut(reponse):
    m = re.match(rb"HTTP/1\.[01] (\d{3}) ", reponse)
    return int(m.group(1)) if m else None


def sante_rapide(port, limite=1.0):
    r = demander(port, "/sante", delai=10)
    verifier(r.statut == 200 and r.corps == b"ok\n", f"/sante : 200 « ok » attendu, {r.statut} {r.corps[:60]!r} venu")
    verifier(r.duree < limite, f"/sante en moins de {limite} s attendu, {r.duree:.2f} s venu")


def ouvrir_connexions(port, nombre):
    limite = resource.getrlimit(resource.RLIMIT_NOFILE)
    resource.setrlimit(resource.RLIMIT_NOFILE, (min(limite[1], 8192), limite[1]))
    prises = []
    try:
        for _ in range(nombre):
            prises.append(socket.create_connection(("127.0.0.1", port), timeout=10))
    except OSError:
        fermer(prises)
        raise
    return prises


def fermer(prises):
    for p in prises:
        p.close()


CONNEXIONS_MAXIMALES = 4000


def remplir(port):
    """Un processus plein : ses 4000 connexions muettes ouvertes, la suivante refusée en 503.
    Rend les connexions ouvertes, à fermer avant les 10 s qui les feraient couper."""
    prises = ouvrir_connexions(port, CONNEXIONS_MAXIMALES)
    try:
        recu = b""
        # Le processus accepte les connexions à son rythme : on en ouvre une de plus jusqu'au refus.
        for _ in range(5):
            time.sleep(0.5)
            prises.append(socket.create_connection(("127.0.0.1", port), timeout=2))
            with contextlib.suppress(socket.timeout, ConnectionResetError):
                recu = prises[-1].recv(4096)
            if recu:
                break
        verifier(statut_brut(recu) == 503, f"au-delà de {CONNEXIONS_MAXIMALES} connexions : 503 attendu, {recu[:60]!r} venu")
    except BaseException:
        fermer(prises)
        raise
    return prises
