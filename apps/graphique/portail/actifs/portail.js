// Le portail sans rechargement : filtre des stations, lecture du graphique sous le
// pointeur ou au clavier, et zoom sur une sous-période (l'adresse la porte).
(function () {
  'use strict';

  function sansAccents(texte) {
    return texte.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase()
      .replace(/[^\p{L}\p{N}]+/gu, ' ').trim();
  }

  // Chaque mot tapé doit se trouver dans le code ou le nom, aux accents, à la casse et à la ponctuation près.
  var filtre = document.getElementById('filtre');
  if (filtre) {
    filtre.addEventListener('input', function () {
      var mots = sansAccents(filtre.value).split(' ').filter(function (m) { return m !== ''; });
      var visibles = 0;
      document.querySelectorAll('tr.station').forEach(function (ligne) {
        ligne.hidden = !mots.every(function (mot) { return ligne.dataset.nom.indexOf(mot) >= 0; });
        visibles += ligne.hidden ? 0 : 1;
      });
      document.querySelectorAll('section.genre').forEach(function (section) {
        section.hidden = !section.querySelector('tr.station:not([hidden])');
      });
      document.getElementById('aucune').hidden = visibles > 0;
    });
  }

  // Un autre genre de graphique a d'autres champs : la page se redessine dès qu'on le choisit,
  // avec ce qui vaut pour tous les genres (la station, ses dates) ; le reste reprend ses défauts.
  var genre = document.querySelector('form#demande select[name="type"]');
  if (genre) {
    genre.addEventListener('change', function () {
      var formulaire = genre.form, adresse = new URL(formulaire.action, window.location.href);
      ['genre', 'pluviometre', 'debut', 'fin'].forEach(function (nom) {
        var champ = formulaire.elements[nom];
        if (champ && champ.value) {
          adresse.searchParams.set(nom, champ.value);
        }
      });
      adresse.searchParams.set('type', genre.value);
      window.location.assign(adresse.toString());
    });
  }

  var figure = document.getElementById('graphique');
  var source = document.getElementById('points');
  if (!figure || !source) {
    return;
  }
  var donnees = JSON.parse(source.textContent);
  var svg = figure.querySelector('svg');
  var lecture = document.getElementById('lecture');
  var points = donnees.points.slice().sort(function (a, b) { return a[1] - b[1]; });
  var zone = donnees.zone;
  var marqueur = document.createElement('div');
  var rectangle = document.createElement('div');
  marqueur.id = 'marqueur';
  rectangle.id = 'rectangle';
  marqueur.hidden = rectangle.hidden = true;
  figure.appendChild(marqueur);
  figure.appendChild(rectangle);
  var courant = -1, marque = -1, ancre = null;
  // Après Tracer ou un zoom, le clavier reprend sur le graphique.
  if (window.location.search) {
    figure.focus({ preventScroll: true });
  }

  // Le rapport entre les pixels de l'image et ceux de la page.
  function rapport() {
    var largeur = svg.viewBox && svg.viewBox.baseVal && svg.viewBox.baseVal.width ? svg.viewBox.baseVal.width : svg.clientWidth;
    return svg.getBoundingClientRect().width / largeur;
  }
  function versImage(evenement) {
    var r = svg.getBoundingClientRect(), k = rapport();
    return { x: (evenement.clientX - r.left) / k, y: (evenement.clientY - r.top) / k };
  }
  function dansZone(p) {
    return p.x >= zone[0] && p.x <= zone[0] + zone[2] && p.y >= zone[1] && p.y <= zone[1] + zone[3];
  }

  // Le point tracé le plus proche : d'abord par la date (x), puis par la valeur (y).
  function plusProche(p) {
    var bas = 0, haut = points.length - 1;
    while (bas < haut) {
      var milieu = (bas + haut) >> 1;
      if (points[milieu][1] < p.x) { bas = milieu + 1; } else { haut = milieu; }
    }
    var meilleur = -1, distance = Infinity;
    for (var i = Math.max(0, bas - 40); i < Math.min(points.length, bas + 40); i++) {
      var dx = points[i][1] - p.x, dy = points[i][2] - p.y, d = dx * dx * 4 + dy * dy;
      if (d < distance) { distance = d; meilleur = i; }
    }
    return meilleur;
  }

  function montrer(i) {
    if (i < 0 || i >= points.length) {
      return;
    }
    courant = i;
    var p = points[i], k = rapport(), serie = donnees.series[p[0]];
    var quand = p[5] || p[3];
    lecture.textContent = (serie ? serie + ' — ' : '') + (quand ? quand + ' : ' : '') + p[4];
    marqueur.style.left = (p[1] * k) + 'px';
    marqueur.style.top = (p[2] * k) + 'px';
    marqueur.hidden = false;
  }

  function dateDe(texte) {
    var m = /^(\d{2})\/(\d{2})\/(\d{4})$/.exec(texte);
    return m ? Date.UTC(+m[3], +m[2] - 1, +m[1]) : NaN;
  }
  function texteDate(ms) {
    var d = new Date(ms);
    function deux(n) { return (n < 10 ? '0' : '') + n; }
    return deux(d.getUTCDate()) + '/' + deux(d.getUTCMonth() + 1) + '/' + d.getUTCFullYear();
  }
  // Le jour sous une position de l'image, entre les jours des bords de la zone de tracé.
  function jourSous(x) {
    var debut = dateDe(donnees.debut), fin = dateDe(donnees.fin), t = (x - zone[0]) / zone[2];
    t = Math.min(1, Math.max(0, t));
    return Math.round((debut + t * (fin - debut)) / 86400000) * 86400000;
  }
  function zoomer(debut, fin) {
    if (!debut || !fin || debut === fin) {
      return;
    }
    var adresse = new URL(window.location.href);
    adresse.searchParams.set('debut', debut);
    adresse.searchParams.set('fin', fin);
    window.location.assign(adresse.toString());
  }
  function toutePeriode() {
    var lien = document.getElementById('toute-periode');
    if (lien) {
      window.location.assign(lien.href);
    }
  }

  figure.addEventListener('mousedown', function (evenement) {
    var p = versImage(evenement);
    // Le clic garde le clavier sur le graphique, que le glisser ne doit pas lui ôter.
    figure.focus({ preventScroll: true });
    if (evenement.button === 0 && dansZone(p) && !isNaN(dateDe(donnees.debut))) {
      ancre = p;
      evenement.preventDefault();
    }
  });
  figure.addEventListener('mousemove', function (evenement) {
    var p = versImage(evenement), k = rapport();
    if (ancre) {
      rectangle.style.left = (Math.min(ancre.x, p.x) * k) + 'px';
      rectangle.style.width = (Math.abs(p.x - ancre.x) * k) + 'px';
      rectangle.style.top = (zone[1] * k) + 'px';
      rectangle.style.height = (zone[3] * k) + 'px';
      rectangle.hidden = false;
    }
    if (dansZone(p)) {
      montrer(plusProche(p));
    }
  });
  window.addEventListener('mouseup', function (evenement) {
    if (!ancre) {
      return;
    }
    var p = versImage(evenement), depart = ancre;
    ancre = null;
    rectangle.hidden = true;
    if (Math.abs(p.x - depart.x) > 4) {
      zoomer(texteDate(jourSous(Math.min(p.x, depart.x))), texteDate(jourSous(Math.max(p.x, depart.x))));
    }
  });
  figure.addEventListener('dblclick', toutePeriode);
  figure.addEventListener('keydown', function (evenement) {
    var touche = evenement.key;
    if (touche === 'ArrowRight' || touche === 'ArrowLeft') {
      montrer(courant < 0 ? 0 : courant + (touche === 'ArrowRight' ? 1 : -1));
    } else if (touche === '[' && courant >= 0) {
      marque = courant;
      lecture.textContent = 'Début du zoom : ' + (points[marque][5] || points[marque][3]) + ' ; ] pour la fin.';
    } else if (touche === ']' && marque >= 0 && courant >= 0) {
      var a = points[Math.min(marque, courant)][3], b = points[Math.max(marque, courant)][3];
      zoomer(a, b);
    } else if (touche === 'Escape' && ancre) {
      // Échap pendant le glisser l'abandonne, sans zoom.
      ancre = null;
      rectangle.hidden = true;
    } else if (touche === 'Home' || touche === 'Escape') {
      toutePeriode();
    } else {
      return;
    }
    evenement.preventDefault();
  });
})();
