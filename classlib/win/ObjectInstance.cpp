#include "classlib/win/ObjectInstance.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/FileSystem.h"
#include "classlib/core/ScopeGuard.h"

namespace {

struct InstanceBlock;
LRESULT CALLBACK StdWndProc(InstanceBlock* block, UINT msg, WPARAM wParam, LPARAM lParam);

// The code comes first, so the block's address is the window procedure. The code replaces the first
// argument (the window handle) by the block's address and jumps to StdWndProc, whose stack frame then
// returns straight to the system.
#if defined(__x86_64__)
constexpr std::size_t kCodeSize = 24;
// mov rcx, imm64 / mov rax, imm64 / jmp rax
void WriteCode(unsigned char* code, void* block) {
    const std::uint64_t self = reinterpret_cast<std::uintptr_t>(block);
    const std::uint64_t target = reinterpret_cast<std::uintptr_t>(&StdWndProc);
    code[0] = 0x48, code[1] = 0xB9;
    std::memcpy(code + 2, &self, 8);
    code[10] = 0x48, code[11] = 0xB8;
    std::memcpy(code + 12, &target, 8);
    code[20] = 0xFF, code[21] = 0xE0;
    code[22] = 0xCC, code[23] = 0xCC;
}
#elif defined(__i386__)
constexpr std::size_t kCodeSize = 16;
// mov dword [esp+4], imm32 / mov eax, imm32 / jmp eax; StdWndProc is stdcall and pops the four arguments.
void WriteCode(unsigned char* code, void* block) {
    const std::uint32_t self = reinterpret_cast<std::uintptr_t>(block);
    const std::uint32_t target = reinterpret_cast<std::uintptr_t>(&StdWndProc);
    code[0] = 0xC7, code[1] = 0x44, code[2] = 0x24, code[3] = 0x04;
    std::memcpy(code + 4, &self, 4);
    code[8] = 0xB8;
    std::memcpy(code + 9, &target, 4);
    code[13] = 0xFF, code[14] = 0xE0;
    code[15] = 0xCC;
}
#else
#error "object instances are written for x86 and x86-64 only"
#endif

struct InstanceBlock {
    unsigned char code[kCodeSize];
    TWndMethod method;
    InstanceBlock* nextFree = nullptr;
    bool inUse = false;
};

LRESULT CALLBACK StdWndProc(InstanceBlock* block, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    try {
        block->method(message);
    } catch (...) {
        HandleCallbackException(nullptr);
        return 0;
    }
    return message.Result;
}

// Executable pages carved into blocks; a freed block goes to the front of the free list. Pages stay until
// the process ends: a window may still call its procedure late in shutdown.
class InstancePool {
public:
    WNDPROC Make(TWndMethod method) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!free_) AddPage();
        InstanceBlock* block = free_;
        free_ = block->nextFree;
        block->nextFree = nullptr;
        block->method = method;
        block->inUse = true;
        WriteCode(block->code, block);
        ::FlushInstructionCache(::GetCurrentProcess(), block->code, kCodeSize);
        return reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(block));
    }

    void Free(WNDPROC proc) {
        std::lock_guard<std::mutex> guard(lock_);
        InstanceBlock* block = Find(reinterpret_cast<void*>(proc));
        // Something that is not a live instance (freed twice, never ours) is left alone rather than put on
        // the free list, where it would be handed out twice.
        if (!block || !block->inUse) return;
        block->inUse = false;
        block->method = nullptr;
        block->nextFree = free_;
        free_ = block;
    }

private:
    void AddPage() {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        const std::size_t size = std::max<std::size_t>(info.dwPageSize, sizeof(InstanceBlock));
        void* page = ::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
        if (!page)
            throw EOutOfResources("Cannot allocate window procedure memory: " + SysErrorMessage(::GetLastError()));
        pages_.push_back({static_cast<unsigned char*>(page), size});
        const std::size_t count = size / sizeof(InstanceBlock);
        auto* blocks = static_cast<InstanceBlock*>(page);
        for (std::size_t i = count; i-- > 0;) {
            InstanceBlock* block = ::new (&blocks[i]) InstanceBlock();
            block->nextFree = free_;
            free_ = block;
        }
    }

    InstanceBlock* Find(void* address) const {
        auto* p = static_cast<unsigned char*>(address);
        for (const Page& page : pages_) {
            if (p < page.base || p >= page.base + page.size) continue;
            const std::size_t offset = static_cast<std::size_t>(p - page.base);
            const std::size_t index = offset / sizeof(InstanceBlock);
            if (offset % sizeof(InstanceBlock) != 0 || index >= page.size / sizeof(InstanceBlock)) return nullptr;
            return reinterpret_cast<InstanceBlock*>(p);
        }
        return nullptr;
    }

    struct Page {
        unsigned char* base;
        std::size_t size;
    };
    std::mutex lock_;
    std::vector<Page> pages_;
    InstanceBlock* free_ = nullptr;
};

InstancePool& Pool() {
    static InstancePool pool;
    return pool;
}

constexpr char kUtilWindowClass[] = "ClasslibUtilWindow";

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

// The class keeps DefWindowProcA as its procedure, so a registration that outlives this module (a plug-in
// unloaded by its host) never points into freed code.
HINSTANCE RegisterUtilWindowClass() {
    static const HINSTANCE instance = [] {
        HINSTANCE module = ThisModule();
        WNDCLASSA cls{};
        cls.lpfnWndProc = &::DefWindowProcA;
        cls.hInstance = module;
        cls.lpszClassName = kUtilWindowClass;
        if (!::RegisterClassA(&cls)) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_CLASS_ALREADY_EXISTS)
                throw EOSError("Cannot register the utility window class: " + SysErrorMessage(error), error);
        }
        return module;
    }();
    return instance;
}

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod method) {
    if (!method) throw EInvalidOperation("An object instance needs a method");
    return Pool().Make(method);
}

void FreeObjectInstance(WNDPROC proc) {
    if (proc) Pool().Free(proc);
}

HWND AllocateHWnd(TWndMethod method) {
    HINSTANCE module = RegisterUtilWindowClass();
    HWND wnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module,
                                 nullptr);
    if (!wnd) {
        const DWORD error = ::GetLastError();
        throw EOSError("Cannot create a utility window: " + SysErrorMessage(error), error);
    }
    if (method) {
        TScopeExit destroy([wnd] { ::DestroyWindow(wnd); });
        WNDPROC proc = MakeObjectInstance(method);
        destroy.Dismiss();
        ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    }
    return wnd;
}

void DeallocateHWnd(HWND wnd) {
    if (!wnd) return;
    auto proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(wnd, GWLP_WNDPROC));
    ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&::DefWindowProcA));
    ::DestroyWindow(wnd);
    if (proc != &::DefWindowProcA) FreeObjectInstance(proc);
}
