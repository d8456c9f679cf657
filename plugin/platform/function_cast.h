// The one conversion between function-pointer types (DDI hooks in DRVFN tables, captured Unidrv
// functions, GetProcAddress results). Going through void (*)() is the conversion compilers
// accept without a cast-function-type warning.
#pragma once

namespace xlrender {

template <typename To, typename From>
To CastFunction(From function) noexcept {
    return reinterpret_cast<To>(reinterpret_cast<void (*)()>(function));
}

}  // namespace xlrender
