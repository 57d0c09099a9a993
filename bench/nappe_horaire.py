#!/usr/bin/python3
"""Une nappe horaire pour les mesures : marche au hasard reproductible sur N années,
jusqu'au 31/12/2024, au format CSV de « graphique importer » (jour;heure;niveau)."""
import datetime
import sys


def ecrire(chemin, annees):
    t, fin = datetime.datetime(2025 - annees, 1, 1), datetime.datetime(2025, 1, 1)
    x, niveau = 7, -8.0
    with open(chemin, "w") as f:
        while t < fin:
            x = (x * 1103515245 + 12345) & 0x7FFFFFFF
            niveau += ((x >> 8) % 1001 - 500) / 125000.0
            f.write(f"{t:%d/%m/%Y};{t:%H:%M:%S};{niveau:.3f}\n")
            t += datetime.timedelta(hours=1)


if __name__ == "__main__":
    ecrire(sys.argv[1], int(sys.argv[2]))
