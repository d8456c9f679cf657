// The spooler's form database: EnumFormsW at level 1 lists every form of the world, built-in,
// printer and user-defined, with the size protocol of the other enumerations.
#include "win32/info_block.h"
#include "win32/spooler_lookup.h"
#include "world.h"

extern "C" {

BOOL WINAPI EnumFormsW(HANDLE hPrinter, DWORD Level, LPBYTE pForm, DWORD cbBuf, LPDWORD pcbNeeded,
                       LPDWORD pcReturned) {
    if (pcbNeeded == nullptr || pcReturned == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pcReturned = 0;
    if (sim::PrinterOfHandle(hPrinter) == nullptr) {
        return FALSE;
    }
    if (Level != 1) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    const std::vector<sim::FormDescription>& forms = sim::TheWorld().spooler.forms;
    const BOOL delivered = sim::DeliverInfoBlock(
        forms.size() * sizeof(FORM_INFO_1W), pForm, cbBuf, pcbNeeded, [&](sim::InfoBlock& block) {
            for (std::size_t i = 0; i < forms.size(); ++i) {
                const FORM_INFO_1W entry{forms[i].flags, block.Put(forms[i].name), forms[i].size,
                                         forms[i].imageableArea};
                block.PutFixed(i * sizeof entry, &entry, sizeof entry);
            }
        });
    if (delivered) {
        *pcReturned = static_cast<DWORD>(forms.size());
    }
    return delivered;
}

}  // extern "C"
