#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

// Members of a host object reached by name, as the host's windows, forms,
// grids and gauges are. Names are matched exactly first, then ignoring case.
// A missing member, or an object that is gone, does nothing: `trouve` tells.

// A property (declared or dynamic), else a method without argument.
QVariant LireMembre(QObject* objet, const QString& nom, bool* trouve = nullptr);

// A declared property, a dynamic property that already exists, or a one-argument
// method named `nom` or "set" + `nom`. Never creates a dynamic property.
bool EcrireMembre(QObject* objet, const QString& nom, const QVariant& valeur);

// An invokable method or slot with as many parameters as arguments, each
// argument converted to the parameter's type. Returns the method's result.
QVariant AppelerMembre(QObject* objet, const QString& nom, const QVariantList& arguments = {},
                       bool* trouve = nullptr);
