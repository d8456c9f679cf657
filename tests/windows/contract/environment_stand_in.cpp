// The stand-in's side of the contract: a fresh world holding the companion module, its version
// resource, an empty registry key and the two font files as its only faces, with the default US
// English user.
#include "contract.h"
#include "world.h"

namespace contract {

Environment PrepareEnvironment(const char* textFontFile, const char* collectionFontFile) {
    sim::World& world = sim::ResetWorld();
    Environment environment{Platform::kStandIn,
                            W("C:\\Program Files\\Xlrender\\contract_companion.dll"),
                            W("C:\\Program Files\\Xlrender\\no_such_module.dll"),
                            W("Software\\Xlrender Contract"),
                            textFontFile,
                            collectionFontFile};
    world.companionModules.AddEntry(environment.companionPath, kCompanionEntry,
                                    sim::CaptureDisplayDialog);
    world.versions.Declare(environment.companionPath,
                           sim::FileVersion{kCompanionVersion[0], kCompanionVersion[1],
                                            kCompanionVersion[2], kCompanionVersion[3]});
    world.registry.keys[{HKEY_CURRENT_USER, sim::RegistryName(environment.registryKey)}];
    world.screenFonts.registry = {{u"" CONTRACT_TEXT_FACE, false, false, textFontFile},
                                  {u"" CONTRACT_COLLECTION_FACE, false, false, collectionFontFile}};
    world.screenFonts.useFontconfig = false;
    return environment;
}

}  // namespace contract
