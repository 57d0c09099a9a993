"""Ce que les essais du portail partagent : la base d'exemple, un portail lancé sur un
port libre puis arrêté, une demande HTTP, les arguments et le compte rendu d'un échec."""
import argparse
import contextlib
import os
import re
import selectors
import signal
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.parse
import urllib.request

LIGNE_ECOUTE = re.compile(r"^graphique : portail à l'écoute sur (http://\S+/) \((\d+) processus\)\.$")


class Echec(Exception):
    """Une vérification manquée : une ligne en français, l'attendu et le reçu."""


def verifier(condition, texte):
    if not condition:
        raise Echec(texte)


def analyseur(description):
    """Les arguments communs ; chaque essai ajoute les siens."""
    a = argparse.ArgumentParser(description=description)
    a.add_argument("--programme", required=True, help="le programme graphique")
    return a


def principal(essai, *arguments):
    """Lance l'essai ; un échec s'écrit en une ligne et fait sortir en erreur."""
    # Arrêté de dehors, l'essai défait quand même ce qu'il a lancé (portail, navigateur, dossiers).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    try:
        essai(*arguments)
    except Echec as e:
        print(f"ÉCHEC : {e}", file=sys.stderr)
        return 1
    return 0


def environnement():
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    return env


def lancer(programme, *arguments, delai=120):
    """Une commande du programme ; son échec arrête l'essai avec sa sortie d'erreur."""
    r = subprocess.run([programme, *arguments], capture_output=True, text=True, env=environnement(), timeout=delai)
    verifier(r.returncode == 0, f"« graphique {' '.join(arguments)} » attendue réussie, code {r.returncode} : {r.stderr.strip()[:300]}")
    return r.stdout


def base_exemple(programme, dossier):
    chemin = os.path.join(dossier, "exemple.db")
    lancer(programme, "exemple", "--base", chemin)
    return chemin


def get(url, headers=None, methode="GET", delai=30):
    """(statut, en-têtes, corps) ; un statut d'erreur est une réponse comme une autre."""
    demande = urllib.request.Request(url, headers=headers or {}, method=methode)
    try:
        with urllib.request.urlopen(demande, timeout=delai) as r:
            return r.status, r.headers, r.read()
    except urllib.error.HTTPError as e:
        with e:
            return e.code, e.headers, e.read()


class Portail:
    """« graphique serveur » sur un port libre, prêt quand /sante répond ; arrêté en sortant."""

    def __init__(self, programme, base, processus=1):
        self.commande = [programme, "serveur", "--base", base, "--ecoute", "127.0.0.1:0", "--processus", str(processus)]
        self.processus = None
        self.url, self.hote, self.port = None, None, None
        self.erreurs = tempfile.TemporaryFile(mode="w+")

    def __enter__(self):
        self.processus = subprocess.Popen(self.commande, stdout=subprocess.PIPE, stderr=self.erreurs, text=True,
                                          env=environnement(), start_new_session=True)
        try:
            self.url = self._lire_adresse(30)
            adresse = urllib.parse.urlsplit(self.url)
            self.hote, self.port = adresse.hostname, adresse.port
            self._attendre_sante(30)
        except BaseException:
            self.arreter()
            raise
        return self

    def __exit__(self, *exc):
        self.arreter()

    def stderr(self):
        """Ce que le portail a écrit sur sa sortie d'erreur, tant qu'il tourne."""
        if self.erreurs.closed:
            return ""
        self.erreurs.seek(0)
        return self.erreurs.read().strip()

    def _lire_adresse(self, delai):
        choix = selectors.DefaultSelector()
        choix.register(self.processus.stdout, selectors.EVENT_READ)
        pret = choix.select(delai)
        ligne = self.processus.stdout.readline().strip() if pret else ""
        m = LIGNE_ECOUTE.match(ligne)
        verifier(m is not None, f"ligne d'écoute attendue au départ du portail, reçu « {ligne} » ; erreurs : {self.stderr()[:300]}")
        return m.group(1)

    def _attendre_sante(self, delai):
        fin = time.monotonic() + delai
        statut = None
        while time.monotonic() < fin and self.processus.poll() is None:
            with contextlib.suppress(OSError):
                statut, _, corps = get(self.url + "sante", delai=5)
                if statut == 200 and corps == b"ok\n":
                    return
            time.sleep(0.1)
        raise Echec(f"/sante attendu 200 « ok » en {delai} s, reçu {statut} ; erreurs : {self.stderr()[:300]}")

    def arreter(self):
        """SIGTERM au parent, qui arrête ses processus ; le groupe tué s'il traîne."""
        p = self.processus
        if p is None or p.stdout.closed:
            return
        p.send_signal(signal.SIGTERM)
        with contextlib.suppress(subprocess.TimeoutExpired):
            p.wait(timeout=15)
        # Ce qui resterait du groupe (parent bloqué, processus orphelins) ne survit pas à l'essai.
        with contextlib.suppress(ProcessLookupError):
            os.killpg(p.pid, signal.SIGKILL)
        p.wait()
        p.stdout.close()
        self.erreurs.close()


@contextlib.contextmanager
def portail_exemple(programme, processus=1):
    """Un portail sur une base d'exemple neuve, dans un dossier effacé en sortant."""
    with tempfile.TemporaryDirectory(prefix="portail-") as dossier:
        base = base_exemple(programme, dossier)
        with Portail(programme, base, processus) as portail:
            portail.dossier, portail.base = dossier, base
            yield portail
