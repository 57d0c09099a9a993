# Ce qu'un lecteur indépendant (openpyxl) trouve dans un classeur : feuilles,
# premières cellules avec leur format, graphiques des feuilles graphiques.
import datetime
import json
import sys

import openpyxl


def texte_titre(titre):
    if titre is None or titre.tx is None or titre.tx.rich is None:
        return None
    return "".join(r.t for p in titre.tx.rich.p for r in (p.r or []))


def formule(source):
    return source.numRef.f if source is not None and source.numRef is not None else None


def serie(s):
    return {
        "nom": s.tx.v if s.tx is not None else None,
        "x": formule(s.xVal) or formule(s.cat),
        "valeurs": formule(s.yVal) or formule(s.val),
    }


def axe(a):
    if a is None:
        return None
    return {
        "position": a.axPos,
        "orientation": a.scaling.orientation if a.scaling is not None else None,
        "min": a.scaling.min if a.scaling is not None else None,
        "max": a.scaling.max if a.scaling is not None else None,
        "titre": texte_titre(a.title),
        "format": a.numFmt.formatCode if a.numFmt is not None else None,
    }


def cadre(disposition):
    m = disposition.manualLayout if disposition is not None else None
    return None if m is None else {"x": m.x, "y": m.y, "w": m.w, "h": m.h}


def trace(t):
    return {
        "genre": t.tagname,
        "axe_x": axe(t.x_axis),
        "axe_y": axe(t.y_axis),
        "axes": list(t.axId or []),
        "regroupement": getattr(t, "grouping", None),
        "chevauchement": getattr(t, "overlap", None),
        "series": [serie(s) for s in t.ser],
    }


def graphique(g):
    legende = g.legend
    return {
        "titre": texte_titre(g.title),
        "traces": [trace(t) for t in g._charts],
        "legende": legende is not None,
        "entrees_supprimees": [e.idx for e in (legende.legendEntry if legende else []) if e.delete],
        "cadre_trace": cadre(g.layout),
        "cadre_legende": cadre(legende.layout) if legende else None,
    }


def cellules(ws):
    vues = {}
    for ligne in ws.iter_rows(min_row=1, max_row=3, max_col=40):
        for c in ligne:
            if c.value is None:
                continue
            v = c.value.isoformat() if isinstance(c.value, datetime.datetime) else c.value
            vues[c.coordinate] = [v, c.number_format]
    return vues


classeur = openpyxl.load_workbook(sys.argv[1])
resume = {"feuilles": [], "cellules": {}, "graphiques": []}
for feuille in classeur._sheets:
    resume["feuilles"].append([feuille.title, type(feuille).__name__])
    if type(feuille).__name__ == "Worksheet":
        resume["cellules"][feuille.title] = cellules(feuille)
    else:
        resume["graphiques"] += [graphique(g) for g in feuille._charts]
print(json.dumps(resume, ensure_ascii=False))
