#!/usr/bin/env bash
# Lance un serveur PostgreSQL jetable (dossier temporaire, port libre sur la
# boucle locale, utilisateur non root), exporte GRAPHIQUE_PG pour la commande
# donnée, l'exécute, puis arrête le serveur et efface le dossier, même en cas
# d'échec. Usage : scripts/postgresql-temporaire.sh commande [arguments…]
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "Usage : $0 commande [arguments…]" >&2
  exit 2
fi

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "PostgreSQL introuvable (paquet postgresql)." >&2
  exit 1
fi

# Le serveur refuse de tourner sous root : on prend l'utilisateur postgres,
# ou un utilisateur système créé pour l'occasion.
en_tant_que=()
if [ "$(id -u)" -eq 0 ]; then
  utilisateur=postgres
  if ! id "$utilisateur" >/dev/null 2>&1; then
    utilisateur=graphique-pg
    id "$utilisateur" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$utilisateur"
  fi
  en_tant_que=(runuser -u "$utilisateur" --)
fi

dossier=$(mktemp -d "${TMPDIR:-/tmp}/graphique-pg.XXXXXX")
[ "$(id -u)" -eq 0 ] && chown "$utilisateur" "$dossier"

# Les commandes du serveur tournent depuis son dossier : l'utilisateur du
# serveur n'a pas forcément accès au dossier courant.
serveur() {
  (cd "$dossier" && "${en_tant_que[@]}" "$@")
}

arreter() {
  serveur "$bin/pg_ctl" -D "$dossier/donnees" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dossier"
}
trap arreter EXIT

serveur "$bin/initdb" -D "$dossier/donnees" -U postgres -A trust \
  --no-locale -E UTF8 >"$dossier/initdb.log" 2>&1 || { cat "$dossier/initdb.log" >&2; exit 1; }

# Un port libre : le système en donne un, le serveur le reprend aussitôt ; on
# réessaie si un autre programme l'a pris entre-temps.
demarre=0
for essai in 1 2 3 4 5; do
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  if serveur "$bin/pg_ctl" -D "$dossier/donnees" -w -t 30 -l "$dossier/serveur.log" \
       -o "-p $port -k $dossier -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
       start >/dev/null 2>&1; then
    demarre=1
    break
  fi
done
if [ "$demarre" -ne 1 ]; then
  echo "Le serveur PostgreSQL n'a pas démarré :" >&2
  cat "$dossier/serveur.log" >&2 || true
  exit 1
fi

serveur "$bin/createdb" -h 127.0.0.1 -p "$port" -U postgres graphique

export GRAPHIQUE_PG="host=127.0.0.1 port=$port user=postgres dbname=graphique"
set +e
"$@"
code=$?
set -e
exit $code
