#include "view/OsgModelMergeListener.h"

namespace {
const int registered = qRegisterMetaType<MergeResultPtr>("MergeResultPtr");
}

OsgModelMergeListener::OsgModelMergeListener(QObject* parent) : QObject(parent)
{
    Q_UNUSED(registered);
}

void OsgModelMergeListener::onMergeResult(Vantor::MergeResultMap& result)
{
    emit onMergeModelSignal(std::make_shared<const Vantor::MergeResultMap>(result));
}

void OsgModelMergeListener::onMergeBegin()
{
    m_cancelled = false;
    emit Progressdata(QString(), 0.0f);
    emit ProgressShown(true);
}

void OsgModelMergeListener::onMergeProgress(std::string& text, float* value, bool* cancel)
{
    if (cancel)
        *cancel = m_cancelled.load();
    if (m_cancelled) {
        emit ProgressShown(false);
        return;
    }
    emit Progressdata(QString::fromLocal8Bit(text.c_str()), value ? *value : 0.0f);
}

void OsgModelMergeListener::onMergeEnd()
{
    emit Progressdata(QString(), 0.0f);
    emit ProgressShown(false);
}

void OsgModelMergeListener::onMergeStopped()
{
    onMergeEnd();
}

void OsgModelMergeListener::Cancel()
{
    m_cancelled = true;
}
