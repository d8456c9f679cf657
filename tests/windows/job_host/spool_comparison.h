// Compares the spool the Linux module wrote with the one XLRENDER.DLL wrote for the same job,
// byte for byte, and describes the first difference: its offset, and the PJL line it lies in
// or the PCL XL bytes around it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace job_host {

struct SpoolDifference {
    std::size_t offset;
    std::string where;  // the PJL line, or the bytes around the offset in hexadecimal
};

std::optional<SpoolDifference> FirstDifference(const std::string& expected,
                                               const std::string& actual);

// The offset of a byte inside the first line of `spool` that starts with `linePrefix` (the
// byte after the prefix); npos when there is no such line or it ends at the prefix.
std::size_t ByteInsideLine(const std::string& spool, const std::string& linePrefix);

}  // namespace job_host
