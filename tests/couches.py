#!/usr/bin/env python3
"""Les couches de src/ : chaque #include "…" d'un dossier vers un autre doit
descendre. Sort en échec, avec la liste des inclusions qui montent, sinon.

    couches.py [SRC]     vérifie SRC (src/ à côté de ce fichier par défaut)
    couches.py --essai   vérifie d'abord que la règle voit une inclusion qui monte
"""
import pathlib
import re
import sys
import tempfile

# Niveau de chaque dossier de premier rang : un dossier n'inclut que des
# dossiers de niveau plus bas ; deux dossiers d'un même niveau s'ignorent.
NIVEAUX = {
    "commun": 0,
    "model": 1,
    "data": 2,
    "render": 2,
    "entry": 3,
    "output": 3,
    "settings": 3,
    "control": 4,
}

# Dans un dossier de premier rang, l'ordre de ses bibliothèques ("" : le
# dossier lui-même). Un dossier absent d'ici est une erreur : il faut le placer.
SOUS_NIVEAUX = {
    "commun": {"": 0, "parametres": 1, "messages": 1},
    "model": {"options": 0, "": 1},
    "data": {"": 0, "bases": 1, "import": 2, "bulletin": 1},
    "render": {"moteur": 0, "": 1},
    "output": {"classeur": 0, "tableur": 1, "exports": 2, "bulletin": 3, "": 3},
    "entry": {"": 0},
    "settings": {"": 0},
    "control": {"": 0},
}

INCLUSION = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def rang(dossier):
    """(niveau, sous-niveau) d'un dossier relatif à src/, None s'il n'est pas placé."""
    premier, _, reste = dossier.partition("/")
    if premier not in NIVEAUX or reste not in SOUS_NIVEAUX[premier]:
        return None
    return NIVEAUX[premier], SOUS_NIVEAUX[premier][reste]


def descend(source, cible):
    """Vrai quand un fichier de `source` peut inclure un en-tête de `cible`."""
    if source == cible:
        return True
    rs, rc = rang(source), rang(cible)
    if source.split("/")[0] == cible.split("/")[0]:
        return rc[1] < rs[1]
    return rc[0] < rs[0]


def fautes(src):
    """Les dossiers non placés et les inclusions qui ne descendent pas."""
    trouvees = []
    fichiers = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    for dossier in sorted({f.parent.relative_to(src).as_posix() for f in fichiers}):
        if rang(dossier) is None:
            trouvees.append(f"{dossier} : dossier sans couche (à placer dans {pathlib.Path(__file__).name})")
    for f in fichiers:
        source = f.parent.relative_to(src).as_posix()
        for inclus in INCLUSION.findall(f.read_text(encoding="utf-8")):
            chemin = src / inclus
            if "/" not in inclus or not chemin.is_file():
                continue
            cible = chemin.parent.relative_to(src).as_posix()
            if rang(source) and rang(cible) and not descend(source, cible):
                trouvees.append(f"{f.relative_to(src).as_posix()} : {source} → {cible} ({inclus})")
    return trouvees


def essai():
    """La règle elle-même : une inclusion qui monte et un dossier inconnu sont vus."""
    with tempfile.TemporaryDirectory() as d:
        src = pathlib.Path(d)
        for fichier, texte in {
            "commun/A.h": "",
            "model/B.h": '#include "commun/A.h"\n',
            "data/C.h": '#include "model/B.h"\n#include "render/D.h"\n',
            "render/D.h": '#include "control/E.h"\n',
            "control/E.h": '#include "data/C.h"\n',
            "inconnu/F.h": "",
        }.items():
            (src / fichier).parent.mkdir(parents=True, exist_ok=True)
            (src / fichier).write_text(texte, encoding="utf-8")
        vues = fautes(src)
    attendues = ["inconnu : dossier", "data/C.h : data → render", "render/D.h : render → control"]
    if len(vues) != len(attendues) or not all(any(v.startswith(a) for v in vues) for a in attendues):
        print("La vérification des couches ne voit pas ce qu'elle doit voir :", *vues, sep="\n  ")
        return False
    return True


def main(arguments):
    if "--essai" in arguments:
        if not essai():
            return 1
        arguments = [a for a in arguments if a != "--essai"]
    src = pathlib.Path(arguments[0]) if arguments else pathlib.Path(__file__).resolve().parent.parent / "src"
    trouvees = fautes(src)
    for t in trouvees:
        print(t)
    print(f"{len(trouvees)} inclusion(s) ou dossier(s) hors des couches dans {src}")
    return 1 if trouvees else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
