#pragma once

#include <QImage>
#include <QMap>
#include <QString>

namespace osg { class Image; }

QString translationsPath();
QMap<QString, QString> availableLanguages();
void setupLanguage();
void setLanguage(const QString& code);
QImage osgImageToQImage(const osg::Image& image);
