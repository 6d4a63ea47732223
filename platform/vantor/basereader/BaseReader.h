#pragma once

#include "vantor/basereader/ReaderConfig.h"
#include "vantor/basereader/ReaderListener.h"

#include <atomic>
#include <memory>
#include <string>

// Common part of the readers and writers: the listener, the shared options, cancellation and the
// reason of the last failure.
class BaseReader
{
public:
    BaseReader();
    virtual ~BaseReader();

    // Not owned; may be null.
    void setListener(ReaderListener* listener);
    ReaderListener* getListener() const { return m_listener; }
    // A null configuration reads with every switch off.
    void setConfig(std::shared_ptr<ReaderConfig> config);
    std::shared_ptr<ReaderConfig> getConfig() const { return m_config; }

    // May be called from any thread; the running operation stops at its next check and fails.
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }

    // Why the last operation failed; empty after a success.
    const std::string& lastError() const { return m_error; }

protected:
    bool readPMI() const { return m_config && m_config->readPMI != 0; }
    bool readEdge() const { return m_config && m_config->readEdge != 0; }
    bool mergeFace() const { return m_config && m_config->mergeFace != 0; }

    void clearError() { m_error.clear(); }
    // Records the reason and logs it as an error; returns false for "return fail(...)".
    bool fail(const std::string& reason);
    void warn(const std::string& text);

    void reportStarted();
    // Forwarded only when the value moved by at least one percent (or reached 100), so a long
    // read does not flood the receiver's queue.
    void reportProgress(const std::string& text, float value);
    void reportSubProgress(const std::string& text, float value);
    void reportCancelled();

private:
    ReaderListener* m_listener = nullptr;
    std::shared_ptr<ReaderConfig> m_config;
    std::atomic<bool> m_cancelled{false};
    std::string m_error;
    float m_lastProgress = -1.0f;
    float m_lastSubProgress = -1.0f;
    std::string m_lastProgressText;
    std::string m_lastSubProgressText;
};

// Writers share the same plumbing.
class BaseWriter : public BaseReader
{
};
