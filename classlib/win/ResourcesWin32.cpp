// Resources of a module through the Win32 resource calls (natively: the blob table of ResourceTable.cpp).

#include "classlib/win/Win32.h"

#include "classlib/core/TResourceStream.h"

bool classlib::resources::SysFindResource(TModuleHandle instance, const TResourceId& name, const TResourceId& type,
                                          const void*& data, std::int64_t& size, std::shared_ptr<const void>&) {
    HMODULE module = instance ? reinterpret_cast<HMODULE>(instance) : ::GetModuleHandleA(nullptr);
    // A number travels as a pointer value below 65536, as the system expects.
    const char* resName = name.IsId() ? reinterpret_cast<const char*>(std::uintptr_t(name.Id())) : name.Name().c_str();
    const char* resType = type.IsId() ? reinterpret_cast<const char*>(std::uintptr_t(type.Id())) : type.Name().c_str();
    HRSRC info = ::FindResourceA(module, resName, resType);
    if (!info) return false;
    HGLOBAL global = ::LoadResource(module, info);
    if (!global) return false;
    // Resource memory lives as long as the module; nothing to release.
    data = ::LockResource(global);
    size = ::SizeofResource(module, info);
    return data != nullptr || size == 0;
}
