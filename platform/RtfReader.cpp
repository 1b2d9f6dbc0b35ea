#include "platform/RtfReader.h"

#include "platform/RtfParser.h"

RtfResult RtfReader::insert(QTextCursor& cursor, const QByteArray& rtf)
{
    return RtfParser(rtf, &cursor).run(false);
}

RtfResult RtfReader::check(const QByteArray& rtf)
{
    return RtfParser(rtf, nullptr).run(true);
}
