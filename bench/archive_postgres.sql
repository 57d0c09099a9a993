-- Archive nationale simulée, faite par le serveur lui-même (generate_series) :
-- :pluvios pluviomètres journaliers de :premiere_annee à 2024 et :piezos
-- piézomètres horaires sur :annees_piezo ans, chacun dans sa table comme le
-- ferait l'import (clé DateCreation, Heure ; lignes dans l'ordre des dates),
-- puis VACUUM ANALYZE. La liste des stations, le calendrier et les normales
-- viennent de « graphique exemple », lancé avant.
\set ON_ERROR_STOP on
\timing on
SET client_min_messages = warning;
SELECT setseed(0.17);
CREATE TABLE IF NOT EXISTS stations (code text, nom text, genre text, altitude double precision);

-- Pluie : un jour sur deux à peu près, quantité exponentielle dont la moyenne
-- varie d'une station à l'autre et avec la saison.
SELECT format($f$
  CREATE TABLE %1$I (datecreation date, heure timestamp(0), pluie double precision, continuite integer,
    modeobtention text, validite integer, commentaire text, pluieefficace double precision, etp double precision,
    valeur1 double precision, valeur2 double precision, valeur3 double precision);
  INSERT INTO %1$I (datecreation, heure, pluie, continuite, validite, etp)
  SELECT d::date, TIMESTAMP '1899-12-30 12:00:00',
         CASE WHEN random() < 0.47 THEN round((-ln(1 - random()) * (3.5 + %2$s + 1.2 * cos(2 * pi() * extract(doy FROM d) / 365.25)))::numeric, 1)
              ELSE 0 END,
         0, 0, round((1.9 - 1.6 * cos(2 * pi() * (extract(doy FROM d) - 15) / 365.25))::numeric, 1)
  FROM generate_series(DATE '%3$s-01-01', DATE '2024-12-31', INTERVAL '1 day') d;
  ALTER TABLE %1$I ADD PRIMARY KEY (datecreation, heure);
  INSERT INTO stations VALUES (%4$L, %5$L, 'pluvio', NULL);$f$,
  lower('pluvio_' || code), round(random()::numeric * 2, 2), :premiere_annee, code, 'Pluviomètre national ' || i)
FROM (SELECT i, (91000000 + i)::text AS code FROM generate_series(1, :pluvios) i) s
\gexec

-- Nappes : cycle annuel, tendance lente et bruit, une mesure par heure.
SELECT format($f$
  CREATE TABLE %1$I (datecreation date, heure timestamp(0), valeur double precision, validite integer,
    continuite integer, modeobtention text);
  INSERT INTO %1$I (datecreation, heure, valeur, validite, continuite)
  SELECT t::date, TIMESTAMP '1899-12-30' + (t - date_trunc('day', t)),
         round((-%2$s + 2.5 * sin(2 * pi() * n / 8766.0) + 0.8 * sin(n / 14000.0) + (random() - 0.5) * 0.02)::numeric, 3),
         0, 0
  FROM generate_series(TIMESTAMP '%3$s-01-01', TIMESTAMP '2024-12-31 23:00', INTERVAL '1 hour') WITH ORDINALITY g(t, n);
  ALTER TABLE %1$I ADD PRIMARY KEY (datecreation, heure);
  INSERT INTO stations VALUES (%4$L, %5$L, 'piezo', %6$s);$f$,
  lower('pz_' || code), round((5 + random() * 20)::numeric, 2), 2025 - :annees_piezo, code, 'Forage national ' || i,
  round((50 + random() * 150)::numeric, 1))
FROM (SELECT i, '0' || (9000 + i)::text || 'X' || lpad(i::text, 4, '0') AS code FROM generate_series(1, :piezos) i) s
\gexec

VACUUM ANALYZE;
SELECT count(*) AS tables, pg_size_pretty(pg_database_size(current_database())) AS taille
FROM pg_tables WHERE tablename LIKE 'pluvio\_%' OR tablename LIKE 'pz\_%';
