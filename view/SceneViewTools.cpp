// The scene view's tools: the recent-command menu, note files and the area and volume result panel.

#include "view/SceneView.h"

#include "common/Prompts.h"
#include "view/MeasureProperty.h"
#include "view/SceneModel.h"
#include "vantor/command/CommandManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/util/LogHandler.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>

#include <algorithm>
#include <iterator>

namespace {

struct CommandIcon
{
    const char* command;
    const char* icon;
};

// The icon of each command the recent-command menu may list; the names are marked for translation in
// the "SceneView" context, which supplies their display texts.
const CommandIcon kCommandIcons[] = {
    {QT_TRANSLATE_NOOP("SceneView", "PntToPntDistanceCommand"), "pnttopnt.png"},
    {QT_TRANSLATE_NOOP("SceneView", "FaceToFaceDistanceCommand"), "facetoface.png"},
    {QT_TRANSLATE_NOOP("SceneView", "LineToLineDistanceCommand"), "linetoline.png"},
    {QT_TRANSLATE_NOOP("SceneView", "PntToLineDistanceCommand"), "pnttoline.png"},
    {QT_TRANSLATE_NOOP("SceneView", "PntToFaceDistanceCommand"), "pnttoface.png"},
    {QT_TRANSLATE_NOOP("SceneView", "UpdateSectionCommand"), "updateSection.png"},
    {QT_TRANSLATE_NOOP("SceneView", "LineToFaceDistanceCommand"), "linetoface.png"},
    {QT_TRANSLATE_NOOP("SceneView", "CenterToCenterDistanceCommand"), "centertocenter.png"},
    {QT_TRANSLATE_NOOP("SceneView", "ShaftToShaftDistanceCommand"), "shafttoshaft.png"},
    {QT_TRANSLATE_NOOP("SceneView", "LineToLineAngleCommand"), "lineangleline.png"},
    {QT_TRANSLATE_NOOP("SceneView", "LineToFaceAngleCommand"), "pnttopnt.png"},
    {QT_TRANSLATE_NOOP("SceneView", "FaceToFaceAngleCommand"), "faceangleface.png"},
    {QT_TRANSLATE_NOOP("SceneView", "LineDistanceCommand"), "linedis.png"},
    {QT_TRANSLATE_NOOP("SceneView", "EllipseDistanceCommand"), "arcdis.png"},
    {QT_TRANSLATE_NOOP("SceneView", "RadiusDistanceCommand"), "radius.png"},
    {QT_TRANSLATE_NOOP("SceneView", "DiameterDistanceCommand"), "diameter.png"},
    {QT_TRANSLATE_NOOP("SceneView", "SurfaceAreaCommand"), "SurfaceArea.png"},
    {QT_TRANSLATE_NOOP("SceneView", "VolumeCommand"), "Volume.png"},
    {QT_TRANSLATE_NOOP("SceneView", "CreateSectionCommand"), "Establish.png"},
    {QT_TRANSLATE_NOOP("SceneView", "PointNoteCommand"), "note.png"},
    {QT_TRANSLATE_NOOP("SceneView", "ReverseSectionCommand"), "ReverseEstablish.png"},
    {QT_TRANSLATE_NOOP("SceneView", "AxisTransformDraggerCommand"), "Directionaldrop.png"},
    {QT_TRANSLATE_NOOP("SceneView", "AxisExplodeTransformDraggerCommand"), "Axisexplode.png"},
    {QT_TRANSLATE_NOOP("SceneView", "RadialExplodeTransformDraggerCommand"), "Radialexplode.png"},
    {QT_TRANSLATE_NOOP("SceneView", "CenterExplodeTransformDraggerCommand"), "Centerexplode.png"},
    {QT_TRANSLATE_NOOP("SceneView", "ScaleTransformDraggerCommand"), "suofang.png"},
    {QT_TRANSLATE_NOOP("SceneView", "RotateTransformDraggerCommand"), "Alongaxial.png"},
    {QT_TRANSLATE_NOOP("SceneView", "PlaneTransformDraggerCommand"), "Freedrop.png"},
    {QT_TRANSLATE_NOOP("SceneView", "UpdateAxisLocationCommand"), "UpdateAxisLocation.png"},
    {QT_TRANSLATE_NOOP("SceneView", "PointsAlignmentCommand"), "PointsAlign.png"},
    {QT_TRANSLATE_NOOP("SceneView", "LinesAlignmentCommand"), "LinesAlign.png"},
    {QT_TRANSLATE_NOOP("SceneView", "FacesAlignmentCommand"), "FacesAlign.png"},
    {QT_TRANSLATE_NOOP("SceneView", "LineToFaceAlignmentCommand"), "LineToFaceAlign.png"},
    {QT_TRANSLATE_NOOP("SceneView", "SNoteCommand"), "note.png"},
    {QT_TRANSLATE_NOOP("SceneView", "RectNoteCommand"), "RectNote.png"},
    {QT_TRANSLATE_NOOP("SceneView", "CircleNoteCommand"), "CircleNote.png"},
    {QT_TRANSLATE_NOOP("SceneView", "EllipseNoteCommand"), "EllipseNote.png"},
    {QT_TRANSLATE_NOOP("SceneView", "BrushNoteCommand"), "3dPen.png"},
};

} // namespace

QString SceneView::translateCommandName(const std::string& name) const
{
    return tr(name.c_str());
}

QString SceneView::recentCommandIconPath(const std::string& name)
{
    const auto* end = std::end(kCommandIcons);
    const auto* found = std::find_if(std::begin(kCommandIcons), end,
                                     [&](const CommandIcon& entry) { return name == entry.command; });
    return found == end ? QString() : QStringLiteral(":/VantorViewer/icon/") + QLatin1String(found->icon);
}

void SceneView::fillRecentCommandMenu(QMenu* menu)
{
    if (!menu || !m_commandManager)
        return;
    for (const std::string& name : m_commandManager->RecentlyList()) {
        auto* action = new QAction(menu);
        const QString icon = recentCommandIconPath(name);
        if (!icon.isEmpty())
            action->setIcon(QIcon(icon));
        action->setText(translateCommandName(name));
        action->setData(QString::fromStdString(name));
        menu->addAction(action);
    }
    connect(menu, &QMenu::triggered, this, &SceneView::on_actionRecentlyCommand_triggered, Qt::UniqueConnection);
}

void SceneView::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAccessibleName(tr("Recent commands"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fillRecentCommandMenu(menu);
    menu->popup(event ? event->globalPos() : QCursor::pos());
}

void SceneView::on_actionRecentlyCommand_triggered(QAction* action)
{
    if (!action || !m_commandManager)
        return;
    m_commandManager->CancelCurrentCmd();
    m_commandManager->setExecuteType(action->data().toString().toStdString());
}

QString SceneView::defaultNoteFileName(const QString& modelPath)
{
    const QString fileName = modelPath.mid(modelPath.lastIndexOf('/') + 1);
    const QString suffix = QFileInfo(fileName).completeSuffix();
    QString base = fileName;
    if (!suffix.isEmpty() && base.endsWith(QLatin1Char('.') + suffix, Qt::CaseSensitive))
        base.chop(suffix.size() + 1);
    return base + QStringLiteral(".note");
}

void SceneView::exportNotes(const QString& modelPath)
{
    QString path = Prompts::get().getSaveFileName(this, tr("保存文件"), defaultNoteFileName(modelPath),
                                                  QStringLiteral("*.note"));
    if (path.isEmpty())
        return; // cancelled: nothing is written and the folder stays
    // File dialogs here add no extension of their own.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".note");
    m_lastDirectory = QFileInfo(path).absolutePath();

    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    if (!notes) {
        Vantor::LogHandler::getInstance()->reportWarning(tr("No notes to export: no model is open"));
        return;
    }
    notes->setSavedJsonFileName(path.toLocal8Bit().toStdString());
    notes->toJson(true);
}

void SceneView::importNotes()
{
    const QString path = Prompts::get().getOpenFileName(this, tr("打开文件"), m_lastDirectory,
                                                        QStringLiteral("*.note"));
    if (path.isEmpty())
        return;
    QFile file(path);
    m_lastDirectory = QFileInfo(path).absolutePath();
    if (!file.open(QIODevice::ReadOnly)) {
        Vantor::LogHandler::getInstance()->reportWarning(tr("Cannot open the note file %1").arg(path));
        return;
    }
    std::string text;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        text.append(line.constData(), std::size_t(line.size()));
        text.push_back('\n');
    }
    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    if (!notes || !notes->fromJson(text))
        Vantor::LogHandler::getInstance()->reportWarning(tr("No notes could be read from %1").arg(path));
}

void SceneView::showMeasureProperty(const std::string& kind)
{
    if (!m_measurePanel) {
        m_measurePanel = new MeasureProperty(this);
        m_measurePanel->setAccessibleName(tr("Measure result"));
        m_measurePanel->setCommandManager(m_commandManager);
    }
    if (!m_measureListener)
        m_measureListener = std::make_shared<AreaAndVolumeMeasureManagerChangedListener>(m_measurePanel);
    if (m_sceneModel)
        if (osg::ref_ptr<Vantor::MeasureManager> measures = m_sceneModel->getMeasureManager())
            measures->AddMeasureListener(m_measureListener);
    placeMeasureProperty();
    if (kind == "SurfaceArea")
        m_measurePanel->caption()->setText(tr("面积测量"));
    else if (kind == "Volume")
        m_measurePanel->caption()->setText(tr("体积测量"));
    m_measurePanel->show();
}

void SceneView::hideMeasureProperty()
{
    if (!m_measurePanel)
        return;
    m_measurePanel->hide();
    if (m_measureListener && m_sceneModel)
        if (osg::ref_ptr<Vantor::MeasureManager> measures = m_sceneModel->getMeasureManager())
            measures->RemoveMeasureListener(m_measureListener);
}

void SceneView::placeMeasureProperty()
{
    if (!m_measurePanel)
        return;
    // The panel is a top-level window: place it by the parent's position plus the view's own.
    const QWidget* parent = parentWidget();
    const int px = parent ? parent->x() : 0;
    const int py = parent ? parent->y() : 0;
    m_measurePanel->setGeometry(px + x() + 5, py + y() + 5, std::min(width(), 200), height() / 6);
}
