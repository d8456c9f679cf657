// The only module-wide state: how many plug-in objects live (class factories among them: a
// caller holding one will use the module's code) and how many server locks are held. Unidrv
// unloads the module only when both are zero.
#pragma once

namespace xlrender {

void CountObjectCreated() noexcept;
void CountObjectDestroyed() noexcept;
void ChangeServerLock(bool lock) noexcept;
bool ModuleInUse() noexcept;

}  // namespace xlrender
