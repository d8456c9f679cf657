// PCL XL values in the binary little-endian binding: a data type tag, then the value low byte
// first. An attribute is a value followed by XlPutAttribute; an operator's attributes come
// before the operator. Every writer follows the stream's room rule for each unit it appends
// and does nothing on a failed stream; none returns a status.
#pragma once

#include "xlstream/xl_stream.h"

namespace xlrender {

void XlPutUByte(XlStream* stream, BYTE value);
void XlPutUInt16(XlStream* stream, WORD value);
void XlPutSInt16(XlStream* stream, SHORT value);
void XlPutUInt32(XlStream* stream, DWORD value);
void XlPutReal32(XlStream* stream, FLOAT value);
void XlPutUInt16XY(XlStream* stream, WORD x, WORD y);
void XlPutSInt16XY(XlStream* stream, SHORT x, SHORT y);
void XlPutReal32XY(XlStream* stream, FLOAT x, FLOAT y);
void XlPutSInt16Box(XlStream* stream, SHORT x1, SHORT y1, SHORT x2, SHORT y2);

// Arrays carry a 16-bit element count. An array of more than kXlMaxArrayElements elements
// cannot be described truthfully, so it fails the stream (kXlArrayTooLong) and writes nothing.
void XlPutUByteArray(XlStream* stream, const BYTE* bytes, DWORD count);
void XlPutSInt16Array(XlStream* stream, const SHORT* values, DWORD count);
// A ubyte array made of the low byte of each 16-bit value.
void XlPutUByteArrayFrom16(XlStream* stream, const WORD* values, DWORD count);

// Length of the data that follow an operator: one byte below 256, else four.
void XlPutDataLength(XlStream* stream, DWORD length);
// Length in the four-byte form whatever its size.
void XlPutDataLength32(XlStream* stream, DWORD length);
// Four-byte length, then the bytes.
void XlPutEmbeddedData(XlStream* stream, const BYTE* bytes, DWORD length);
// Untagged data bytes and 16-bit values (after a data length).
void XlPutRawBytes(XlStream* stream, const BYTE* bytes, DWORD count);
void XlPutRawUInt16(XlStream* stream, WORD value);

// Names the value just written. A refused id fails the stream (kXlRefusedAttribute); the value
// already written stays in the buffer.
void XlPutAttribute(XlStream* stream, WORD id);

}  // namespace xlrender
