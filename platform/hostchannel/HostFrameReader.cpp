#include "hostchannel/HostFrameReader.h"

#include <QtEndian>

void HostFrameReader::append(const QByteArray& bytes)
{
    if (!m_malformed)
        m_inbox.append(bytes);
}

HostFrameReader::Result HostFrameReader::next(HostFrame& frame, QString* reason)
{
    if (m_malformed)
        return Malformed;
    const int available = m_inbox.size() - m_readPos;
    if (available <= 0) {
        m_inbox.clear();
        m_readPos = 0;
        return NeedMore;
    }
    const uchar* p = reinterpret_cast<const uchar*>(m_inbox.constData()) + m_readPos;
    frame = HostFrame();
    frame.kind = p[0];
    if (frame.kind == FrameResult) {
        if (available < ResultFrameSize)
            return NeedMore;
        frame.serial = qFromBigEndian<quint32>(p + 1);
        frame.value = qFromBigEndian<qint64>(p + 5);
        m_readPos += ResultFrameSize;
    } else if (frame.kind == FrameData) {
        if (available < DataHeaderSize)
            return NeedMore;
        frame.serial = qFromBigEndian<quint32>(p + 1);
        frame.wParam = qFromBigEndian<quint64>(p + 5);
        frame.value = qFromBigEndian<qint64>(p + 13);
        const quint32 length = qFromBigEndian<quint32>(p + 21);
        if (length > MaxRecordBytes) {
            m_malformed = true;
            if (reason)
                *reason = QStringLiteral("record of %1 bytes exceeds the limit").arg(length);
            return Malformed;
        }
        if (available < DataHeaderSize + static_cast<qint64>(length))
            return NeedMore;
        frame.data = m_inbox.mid(m_readPos + DataHeaderSize, static_cast<int>(length));
        m_readPos += DataHeaderSize + static_cast<int>(length);
    } else {
        m_malformed = true;
        if (reason)
            *reason = QStringLiteral("unknown frame kind %1").arg(frame.kind);
        return Malformed;
    }
    // Compact once the consumed part dominates, so a long session does not grow the buffer.
    if (m_readPos == m_inbox.size()) {
        m_inbox.clear();
        m_readPos = 0;
    } else if (m_readPos > 65536 && m_readPos * 2 > m_inbox.size()) {
        m_inbox.remove(0, m_readPos);
        m_readPos = 0;
    }
    return Frame;
}
