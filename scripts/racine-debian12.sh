# Lu par les scripts qui travaillent dans un Debian 12 neuf (source) : la
# racine minimale de debootstrap, faite une fois dans RACINE et jamais
# modifiée ensuite ; chaque passage en copie un essai jetable.
# Les paquets déjà téléchargés par cette machine (/var/cache/apt/archives)
# servent à debootstrap comme à l'apt de l'essai : rien n'est pris deux fois.
racine="${RACINE:-/tmp/racine}"
archives=/var/cache/apt/archives
export DEBIAN_FRONTEND=noninteractive
essai=""
montages=()

if [ "$(id -u)" -ne 0 ]; then
  echo "À lancer en root : debootstrap, chroot et mount le demandent." >&2
  exit 1
fi

# Le miroir Debian que cette machine utilise déjà.
miroir=$( (cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null || true) \
  | grep -Eo 'https?://[^ ]+/debian/?( |$)' | head -1 | tr -d ' ' || true)
miroir="${miroir:-http://deb.debian.org/debian}"

if [ ! -x "$racine/usr/bin/apt-get" ]; then
  command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap
  echo "== debootstrap bookworm depuis $miroir dans $racine"
  debootstrap --variant=minbase --cache-dir="$archives" bookworm "$racine" "$miroir" >/dev/null
fi

# Une copie jetable de la racine dans ESSAI, avec /proc ; `demonter_essai`
# défait tout ce qui y est monté, puis l'efface sans jamais descendre dans un
# montage resté en place.
preparer_essai() {
  essai=$(mktemp -d "${TMPDIR:-/tmp}/debian12-essai.XXXXXX")
  # En mémoire quand il y en a : effacer les 1,5 Go d'une racine installée prend
  # alors un démontage, et non des minutes d'un disque chargé.
  if [ "$(awk '/^MemAvailable:/ {print int($2 / 1048576)}' /proc/meminfo)" -ge 8 ]; then
    monter -t tmpfs -o size=6g,mode=755 essai-debian12 "$essai"
  fi
  cp -a "$racine/." "$essai/"
  cp /etc/resolv.conf "$essai/etc/resolv.conf"
  monter -t proc proc "$essai/proc"
}

monter() {
  mount "$@"
  montages=("${@: -1}" "${montages[@]}")
}

demonter_essai() {
  [ -n "${essai:-}" ] || return 0
  local m reste=0
  for m in "${montages[@]}"; do
    umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || reste=1
  done
  if [ "$reste" -eq 0 ] && ! grep -q " $essai/" /proc/mounts; then
    rm -rf --one-file-system "$essai"
  else
    echo "Des montages restent sous $essai : il n'est pas effacé." >&2
  fi
}
