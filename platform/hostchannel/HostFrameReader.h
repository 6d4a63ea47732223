#pragma once

// Splits the bytes that arrive on a host connection into frames (the layout is described in
// CopyDataChannel.h). Bytes may come in any pieces; a frame is handed out once it is complete.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

struct HostFrame
{
    quint8 kind = 0;
    quint32 serial = 0;
    quint64 wParam = 0; // data frames
    qint64 value = 0;   // dwData of a data frame, the result of a result frame
    QByteArray data;    // data frames
};

class HostFrameReader
{
public:
    static constexpr quint8 FrameHello = 1;
    static constexpr quint8 FrameData = 2;
    static constexpr quint8 FrameResult = 3;
    static constexpr int DataHeaderSize = 1 + 4 + 8 + 8 + 4;
    static constexpr int ResultFrameSize = 1 + 4 + 8;
    static constexpr int HelloFrameSize = 1 + 4 + 8;
    static constexpr quint32 MaxRecordBytes = 128u * 1024u * 1024u;

    enum Result { Frame, NeedMore, Malformed };

    void append(const QByteArray& bytes);
    // The next complete frame; NeedMore until one is complete; Malformed (with the reason) for an
    // unknown kind or an oversized record, after which the connection cannot be read further.
    Result next(HostFrame& frame, QString* reason = nullptr);
    // Bytes of a frame that has not arrived whole.
    bool insideFrame() const { return m_readPos < m_inbox.size(); }
    // Bytes received and not yet handed out as frames: never more than what came, whatever a
    // header claims.
    qint64 heldBytes() const { return m_inbox.size() - m_readPos; }

private:
    QByteArray m_inbox;
    int m_readPos = 0;
    bool m_malformed = false;
};
