#include "ribbon/RibbonIcons.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QtGlobal>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void initRibbonIconResource()
{
    Q_INIT_RESOURCE(VantorViewerIcons);
}

void registerRibbonIcons()
{
    static const bool done = (initRibbonIconResource(), true);
    Q_UNUSED(done);
}

namespace {

// Holds the file name only; the first use reads the file into an ordinary icon and hands every call
// on to it.
class LazyFileIconEngine : public QIconEngine
{
public:
    explicit LazyFileIconEngine(const QString& path) : m_path(path) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) const override
    {
        return loaded().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new LazyFileIconEngine(*this); }
    QString key() const override { return QStringLiteral("LazyFileIconEngine"); }

    void virtual_hook(int id, void* data) override
    {
        switch (id) {
        case QIconEngine::IsNullHook:
            // Asked while the buttons are laid out: answered without decoding.
            *reinterpret_cast<bool*>(data) = m_icon.isNull() && !QFile::exists(m_path);
            return;
        case QIconEngine::ScaledPixmapHook: {
            auto* arg = reinterpret_cast<QIconEngine::ScaledPixmapArgument*>(data);
            arg->pixmap = loaded().pixmap(arg->size, arg->mode, arg->state);
            return;
        }
        default:
            QIconEngine::virtual_hook(id, data);
        }
    }

private:
    const QIcon& loaded() const
    {
        if (!m_read) {
            m_icon = QIcon(m_path);
            m_read = true;
        }
        return m_icon;
    }

    QString m_path;
    mutable QIcon m_icon;
    mutable bool m_read = false;
};

} // namespace

QIcon lazyFileIcon(const QString& path)
{
    if (!QFile::exists(path))
        return QIcon();
    return QIcon(new LazyFileIconEngine(path));
}
