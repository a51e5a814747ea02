// Resources of a module through the Win32 resource calls.
#include "classlib/win/Win32.h"

#include "classlib/core/TResourceStream.h"

bool classlib::resources::SysFindResource(TModuleHandle instance, const TResourceId& name, const TResourceId& type,
                                          const void*& data, std::int64_t& size, std::shared_ptr<const void>&) {
    HMODULE module = instance ? reinterpret_cast<HMODULE>(instance) : ::GetModuleHandleA(nullptr);
    LPCSTR resName = name.IsId() ? MAKEINTRESOURCEA(name.Id()) : name.Name().c_str();
    LPCSTR resType = type.IsId() ? MAKEINTRESOURCEA(type.Id()) : type.Name().c_str();
    HRSRC info = ::FindResourceA(module, resName, resType);
    if (!info) return false;
    HGLOBAL global = ::LoadResource(module, info);
    if (!global) return false;
    // Resource memory lives as long as the module; nothing to release.
    data = ::LockResource(global);
    size = ::SizeofResource(module, info);
    return data != nullptr || size == 0;
}
