#include "ui/picture_export.h"

#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstring>

#include "kaleidra_version.h"
#include "render/raster_surface.h"

namespace kaleidra {

QImage PictureOf(const RasterSurface& raster, const QString& effect) {
    QImage picture(raster.Width(), raster.Height(), QImage::Format_RGB32);
    for (int y = 0; y < raster.Height(); ++y) {
        std::memcpy(picture.scanLine(y), raster.Bits() + std::size_t(y) * raster.Width(),
                    std::size_t(raster.Width()) * 4);
    }
    picture.setText(QStringLiteral("Software"),
                    QStringLiteral("Kaleidra ") + QString::fromLatin1(kFileVersion));
    picture.setText(QStringLiteral("Effekt"), effect);
    return picture;
}

QString SavePicture(const QImage& picture, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (!picture.save(&file, "PNG")) {
        QString reason = file.error() != QFileDevice::NoError
                             ? file.errorString()
                             : QStringLiteral("Das Bild ließ sich nicht schreiben.");
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

QString SuggestedPicturePath() {
    // The desktop's pictures folder, or the home folder where there is none yet.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString name =
        QDateTime::currentDateTime().toString(QStringLiteral("'Kaleidra-'yyyy-MM-dd-HHmmss'.png'"));
    return QDir(folder).filePath(name);
}

}  // namespace kaleidra
