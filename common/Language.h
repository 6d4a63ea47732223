#pragma once

#include <QImage>
#include <QMap>
#include <QString>

namespace osg { class Image; }

QString translationsPath();
QMap<QString, QString> availableLanguages();
// Loads and installs the start-up translators from the folder: the program's Chinese file
// "nerio3dviewer_zh.qm" and Qt's "qt_zh_CN.qm". setLanguage keeps them only under Chinese or when no
// file of the chosen language loads.
void installStartupTranslators(const QString& directory);
// Takes out every translator installed here (start-up and language).
void removeAllTranslators();
void setupLanguage();
void setLanguage(const QString& code);
QImage osgImageToQImage(const osg::Image& image);
