#include "vantor/basereader/BaseReader.h"

#include "vantor/util/LogHandler.h"

#include <cmath>

BaseReader::BaseReader() = default;
BaseReader::~BaseReader() = default;

void BaseReader::setListener(ReaderListener* listener)
{
    m_listener = listener;
}

void BaseReader::setConfig(std::shared_ptr<ReaderConfig> config)
{
    m_config = std::move(config);
}

bool BaseReader::fail(const std::string& reason)
{
    m_error = reason;
    Vantor::LogHandler::getInstance()->reportError(reason);
    return false;
}

void BaseReader::warn(const std::string& text)
{
    Vantor::LogHandler::getInstance()->reportWarning(text);
}

void BaseReader::reportStarted()
{
    m_lastProgress = m_lastSubProgress = -1.0f;
    if (m_listener)
        m_listener->onReadStarted();
}

void BaseReader::reportProgress(const std::string& text, float value)
{
    if (!m_listener)
        return;
    if (text == m_lastProgressText && std::fabs(value - m_lastProgress) < 1.0f && value < 100.0f)
        return;
    m_lastProgress = value;
    m_lastProgressText = text;
    m_listener->onReadProgress(text, value);
}

void BaseReader::reportSubProgress(const std::string& text, float value)
{
    if (!m_listener)
        return;
    if (text == m_lastSubProgressText && std::fabs(value - m_lastSubProgress) < 1.0f && value < 100.0f)
        return;
    m_lastSubProgress = value;
    m_lastSubProgressText = text;
    m_listener->onReadSubProgress(text, value);
}

void BaseReader::reportCancelled()
{
    if (m_listener)
        m_listener->onReadCancelled();
}
