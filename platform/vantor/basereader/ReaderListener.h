#pragma once

#include <string>

// What a reader or writer tells its owner while it works. Texts are UTF-8, values 0..100.
// Called on the thread that runs the read or write.
class ReaderListener
{
public:
    virtual ~ReaderListener() = default;

    virtual void onReadStarted() {}
    virtual void onReadProgress(const std::string& text, const float& value) {}
    virtual void onReadSubProgress(const std::string& text, const float& value) {}
    virtual void onReadFinished() {}
    virtual void onReadCancelled() {}
};
