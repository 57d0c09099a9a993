#!/usr/bin/python3
"""Le portail sur PostgreSQL : avec un rôle qui ne fait que lire, il démarre sans
avertissement ; avec le superutilisateur, il avertit et ne change rien à la base.
La connexion du serveur jetable est lue dans GRAPHIQUE_PG."""
import os
import sys
import re
import subprocess
import tempfile
import uuid

from essais_http import (Releve, Serveur, base_exemple, commande, demander, executer, lire_arguments, sante_rapide,
                         verifier)

GRAPHIQUE = "/station/76402001?type=edition&periodes=M&debut=01/01/2019&fin=31/12/2023"
AVERTISSEMENT = "le rôle PostgreSQL peut écrire"


def psql(connexion, sql):
    r = subprocess.run(["psql", connexion, "-X", "-q", "-t", "-A", "-v", "ON_ERROR_STOP=1", "-c", sql],
                       capture_output=True, text=True, timeout=60)
    return r.returncode, r.stdout.strip(), r.stderr.strip()


def psql_sur(connexion, sql):
    code, sortie, erreur = psql(connexion, sql)
    verifier(code == 0, f"psql « {sql[:60]} » : réussite attendue, {erreur[:200]} venu")
    return sortie


def connexion_de(base, utilisateur=None, schema=None):
    """La connexion libpq, pour un autre utilisateur ou un autre schéma."""
    texte = base
    if utilisateur:
        texte = re.sub(r"\buser=\S+", "", texte).strip() + f" user={utilisateur}"
    if schema:
        texte += f" options='-c search_path={schema}'"
    return texte


def creer_lecteur(superutilisateur, schema, role):
    psql_sur(superutilisateur, f"CREATE ROLE {role} LOGIN PASSWORD '{uuid.uuid4().hex}'; "
                               f"GRANT USAGE ON SCHEMA {schema} TO {role}; "
                               f"GRANT SELECT ON ALL TABLES IN SCHEMA {schema} TO {role};")
    # Le rôle ne doit vraiment pas pouvoir écrire : sinon l'absence d'avertissement ne prouverait rien.
    code, _, _ = psql(connexion_de(superutilisateur, role, schema), f"CREATE TABLE {schema}.essai_ecriture (i int)")
    verifier(code != 0, f"le rôle {role} sans droit d'écrire attendu, il a créé une table")


def empreinte_schema(superutilisateur, schema):
    """Le contenu de toutes les tables du schéma, résumé : il ne doit pas changer."""
    tables = psql_sur(superutilisateur, f"SELECT tablename FROM pg_tables WHERE schemaname = '{schema}' ORDER BY 1").split()
    verifier(tables, f"des tables dans le schéma {schema} attendues après la copie, aucune trouvée")
    morceaux = [f"(SELECT md5(coalesce(string_agg(t::text, '|' ORDER BY t::text), '')) FROM {schema}.\"{t}\" t)" for t in tables]
    return psql_sur(superutilisateur, "SELECT md5(" + " || ".join(morceaux) + ")")


def sessions_de(superutilisateur, role):
    return int(psql_sur(superutilisateur, f"SELECT count(*) FROM pg_stat_activity WHERE usename = '{role}'"))


def servir_graphique(programme, connexion, dossier):
    """Lance le portail sur la connexion, trace un graphique ; rend ses erreurs."""
    with Serveur(programme, connexion, dossier) as serveur:
        r = demander(serveur.port, GRAPHIQUE)
        verifier(r.statut == 200 and b"<svg" in r.corps, f"{GRAPHIQUE} : 200 avec un graphique attendu, {r.statut} venu")
        sante_rapide(serveur.port)
        return serveur.erreurs()


def essayer_lecteur(programme, superutilisateur, schema, role, dossier):
    with Serveur(programme, connexion_de(superutilisateur, role, schema), dossier) as serveur:
        r = demander(serveur.port, GRAPHIQUE)
        verifier(r.statut == 200 and b"<svg" in r.corps, f"{GRAPHIQUE} par le rôle lecteur : 200 avec un graphique attendu, {r.statut} venu")
        verifier(sessions_de(superutilisateur, role) > 0, f"des sessions du portail sous le rôle {role} attendues, aucune vue")
        erreurs = serveur.erreurs()
    verifier(erreurs.strip() == "", f"aucun avertissement avec le rôle lecteur attendu, « {erreurs.strip()[:200]} » venu")


def essayer_superutilisateur(programme, superutilisateur, schema, dossier):
    avant = empreinte_schema(superutilisateur, schema)
    erreurs = servir_graphique(programme, connexion_de(superutilisateur, schema=schema), dossier)
    lignes = [l for l in erreurs.splitlines() if AVERTISSEMENT in l]
    verifier(len(lignes) == 1 and lignes[0].startswith("graphique : "),
             f"une ligne « graphique : … {AVERTISSEMENT}… » attendue, « {erreurs.strip()[:200]} » venu")
    verifier(empreinte_schema(superutilisateur, schema) == avant, f"le schéma {schema} inchangé attendu, son contenu a changé")


def nettoyer(superutilisateur, schema, role):
    psql(superutilisateur, f"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = '{role}'")
    psql(superutilisateur, f"DROP SCHEMA IF EXISTS {schema} CASCADE")
    psql(superutilisateur, f"DROP OWNED BY {role}")
    psql(superutilisateur, f"DROP ROLE IF EXISTS {role}")


def principal():
    arguments = lire_arguments(__doc__)
    superutilisateur = os.environ.get("GRAPHIQUE_PG", "")
    # Comme les autres essais du serveur : sautés sans lui, sauf quand la suite l'exige.
    if not superutilisateur:
        print("GRAPHIQUE_PG absente : scripts/postgresql-temporaire.sh lance un serveur PostgreSQL pour cet essai.", file=sys.stderr)
        sys.exit(1 if os.environ.get("GRAPHIQUE_PG_EXIGE") else 0)
    suffixe = f"{os.getpid()}_{uuid.uuid4().hex[:8]}"
    schema, role = f"portail_lecture_{suffixe}", f"portail_lecteur_{suffixe}"
    releve = Releve()
    with tempfile.TemporaryDirectory(prefix="portail-lecture-") as dossier:
        try:
            base = base_exemple(arguments.programme, dossier)
            psql_sur(superutilisateur, f"CREATE SCHEMA {schema}")
            commande(arguments.programme, "copier", "--de", base, "--vers", connexion_de(superutilisateur, schema=schema), "--remplacer")
            creer_lecteur(superutilisateur, schema, role)
            with releve.essai():
                essayer_lecteur(arguments.programme, superutilisateur, schema, role, dossier)
            with releve.essai():
                essayer_superutilisateur(arguments.programme, superutilisateur, schema, dossier)
        finally:
            nettoyer(superutilisateur, schema, role)
    releve.conclure()


if __name__ == "__main__":
    executer(principal)
