#include "xlstream/xl_encoders.h"

#include <bit>
#include <initializer_list>

#include "xlstream/xl_code_tables.h"
#include "xlstream/xl_codes.h"

namespace xlrender {
namespace {

void PutByte(XlStream* stream, BYTE value) { XlAppendUnit(stream, &value, 1); }

void Put16(XlStream* stream, WORD value) {
    const BYTE bytes[2] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8)};
    XlAppendUnit(stream, bytes, sizeof bytes);
}

void Put32(XlStream* stream, DWORD value) {
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                           static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    XlAppendUnit(stream, bytes, sizeof bytes);
}

void PutFloat(XlStream* stream, FLOAT value) {
    static_assert(sizeof(FLOAT) == sizeof(DWORD));
    Put32(stream, std::bit_cast<DWORD>(value));
}

// The array tag and its 16-bit count; false (nothing written) when the stream is failed or the
// count does not fit.
bool PutArrayHeader(XlStream* stream, BYTE tag, DWORD count) {
    if (stream->error != kXlHealthy) {
        return false;
    }
    if (count > kXlMaxArrayElements) {
        XlStreamFail(stream, kXlArrayTooLong);
        return false;
    }
    PutByte(stream, tag);
    PutByte(stream, kXlTagUInt16);
    Put16(stream, static_cast<WORD>(count));
    return true;
}

}  // namespace

void XlPutUByte(XlStream* stream, BYTE value) {
    PutByte(stream, kXlTagUByte);
    PutByte(stream, value);
}

void XlPutUInt16(XlStream* stream, WORD value) {
    PutByte(stream, kXlTagUInt16);
    Put16(stream, value);
}

void XlPutSInt16(XlStream* stream, SHORT value) {
    PutByte(stream, kXlTagSInt16);
    Put16(stream, static_cast<WORD>(value));
}

void XlPutUInt32(XlStream* stream, DWORD value) {
    PutByte(stream, kXlTagUInt32);
    Put32(stream, value);
}

void XlPutReal32(XlStream* stream, FLOAT value) {
    PutByte(stream, kXlTagReal32);
    PutFloat(stream, value);
}

void XlPutUInt16XY(XlStream* stream, WORD x, WORD y) {
    PutByte(stream, kXlTagUInt16XY);
    Put16(stream, x);
    Put16(stream, y);
}

void XlPutSInt16XY(XlStream* stream, SHORT x, SHORT y) {
    PutByte(stream, kXlTagSInt16XY);
    Put16(stream, static_cast<WORD>(x));
    Put16(stream, static_cast<WORD>(y));
}

void XlPutReal32XY(XlStream* stream, FLOAT x, FLOAT y) {
    PutByte(stream, kXlTagReal32XY);
    PutFloat(stream, x);
    PutFloat(stream, y);
}

void XlPutSInt16Box(XlStream* stream, SHORT x1, SHORT y1, SHORT x2, SHORT y2) {
    PutByte(stream, kXlTagSInt16Box);
    for (SHORT value : {x1, y1, x2, y2}) {
        Put16(stream, static_cast<WORD>(value));
    }
}

void XlPutUByteArray(XlStream* stream, const BYTE* bytes, DWORD count) {
    if (PutArrayHeader(stream, kXlTagUByteArray, count)) {
        XlAppendBytes(stream, bytes, count);
    }
}

void XlPutSInt16Array(XlStream* stream, const SHORT* values, DWORD count) {
    if (PutArrayHeader(stream, kXlTagSInt16Array, count)) {
        for (DWORD i = 0; i < count; ++i) {
            Put16(stream, static_cast<WORD>(values[i]));
        }
    }
}

void XlPutUByteArrayFrom16(XlStream* stream, const WORD* values, DWORD count) {
    if (PutArrayHeader(stream, kXlTagUByteArray, count)) {
        for (DWORD i = 0; i < count; ++i) {
            PutByte(stream, static_cast<BYTE>(values[i]));
        }
    }
}

void XlPutDataLength(XlStream* stream, DWORD length) {
    if (length < kXlShortDataLimit) {
        PutByte(stream, kXlTagDataLength8);
        PutByte(stream, static_cast<BYTE>(length));
    } else {
        XlPutDataLength32(stream, length);
    }
}

void XlPutDataLength32(XlStream* stream, DWORD length) {
    PutByte(stream, kXlTagDataLength32);
    Put32(stream, length);
}

void XlPutEmbeddedData(XlStream* stream, const BYTE* bytes, DWORD length) {
    XlPutDataLength32(stream, length);
    XlAppendBytes(stream, bytes, length);
}

void XlPutRawBytes(XlStream* stream, const BYTE* bytes, DWORD count) {
    XlAppendBytes(stream, bytes, count);
}

void XlPutRawUInt16(XlStream* stream, WORD value) { Put16(stream, value); }

void XlPutAttribute(XlStream* stream, WORD id) {
    if (stream->error != kXlHealthy) {
        return;
    }
    const BYTE accepted = XlAcceptedAttribute(id);
    if (accepted == 0) {
        XlStreamFail(stream, kXlRefusedAttribute);
        return;
    }
    PutByte(stream, kXlTagAttribute);
    PutByte(stream, accepted);
}

}  // namespace xlrender
