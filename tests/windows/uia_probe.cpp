// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A small UI Automation client for the Windows checks, as a screen reader is
// one. "wake" asks the window "Skorvex!" for its UI Automation root, as a
// screen reader does when it starts, which switches Qt's accessibility on.
// "tree" walks the window's elements and prints one line for each that takes
// the keyboard focus: its control type, a tab, its name. Every failing call
// is printed with its result, and the program then ends with status 1.

#include <cstdio>
#include <cwchar>
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

namespace {

// UIAutomationClient's interfaces, called by their places in the method
// table: IUIAutomation, IUIAutomationElement, IUIAutomationElementArray.
enum Method {
    element_from_handle = 6,
    create_true_condition = 21,
    find_all = 6,
    get_current_property_value_ex = 11,
    array_length = 3,
    array_element = 4,
};

// Properties are read through GetCurrentPropertyValueEx, which Wine 10 has
// for every property (not every property's own getter, nor the plain one).
enum Property { control_type = 30003, name = 30005, is_keyboard_focusable = 30009 };

template <typename... Arguments> HRESULT call(void* object, Method method, Arguments... arguments)
{
    using Function = HRESULT(STDMETHODCALLTYPE*)(void*, Arguments...);
    return (*static_cast<Function**>(object))[method](object, arguments...);
}

const CLSID automation_class
    = { 0xff48dba4, 0x60ef, 0x4201, { 0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e } };
const IID automation_interface
    = { 0x30cbe57d, 0xd9d0, 0x452a, { 0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee } };
constexpr int tree_scope_descendants = 4;
constexpr LPARAM uia_root_object_id = -25;

bool ok(HRESULT result, const char* what)
{
    if (SUCCEEDED(result))
        return true;
    std::printf("FAILED: %s: 0x%08lx\n", what, static_cast<unsigned long>(result));
    return false;
}

HWND find_window()
{
    HWND window = FindWindowW(nullptr, L"Skorvex!");
    if (window == nullptr)
        std::printf("FAILED: no window \"Skorvex!\"\n");
    return window;
}

int wake(HWND window)
{
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(
            window, WM_GETOBJECT, 0, uia_root_object_id, SMTO_ABORTIFHUNG, 10000, &answer)
        == 0) {
        std::printf("FAILED: the window did not answer WM_GETOBJECT\n");
        return 1;
    }
    std::printf("the window answered WM_GETOBJECT for its UI Automation root: %s\n",
        answer != 0 ? "an element" : "nothing");
    return answer != 0 ? 0 : 1;
}

int tree(HWND window)
{
    void* automation = nullptr;
    void* root = nullptr;
    void* all = nullptr;
    void* found = nullptr;
    int length = 0;
    if (!ok(CoCreateInstance(
                automation_class, nullptr, CLSCTX_INPROC_SERVER, automation_interface, &automation),
            "CoCreateInstance(CUIAutomation)")
        || !ok(call(automation, element_from_handle, window, &root),
            "IUIAutomation::ElementFromHandle")
        || !ok(call(automation, create_true_condition, &all), "IUIAutomation::CreateTrueCondition")
        || !ok(call(root, find_all, tree_scope_descendants, all, &found),
            "IUIAutomationElement::FindAll")
        || !ok(call(found, array_length, &length), "IUIAutomationElementArray::get_Length"))
        return 1;
    for (int i = 0; i < length; ++i) {
        void* element = nullptr;
        VARIANT focusable, type, name;
        VariantInit(&focusable);
        VariantInit(&type);
        VariantInit(&name);
        const BOOL as_is = TRUE;
        if (!ok(call(found, array_element, i, &element), "IUIAutomationElementArray::GetElement")
            || !ok(call(element, get_current_property_value_ex, is_keyboard_focusable, as_is,
                       &focusable),
                "IsKeyboardFocusable")
            || !ok(call(element, get_current_property_value_ex, control_type, as_is, &type),
                "ControlType")
            || !ok(
                call(element, get_current_property_value_ex, Property::name, as_is, &name), "Name"))
            return 1;
        if (V_VT(&focusable) == VT_BOOL && V_BOOL(&focusable) != VARIANT_FALSE)
            std::printf("%ld\t%ls\n", V_VT(&type) == VT_I4 ? static_cast<long>(V_I4(&type)) : 0L,
                V_VT(&name) == VT_BSTR && V_BSTR(&name) != nullptr ? V_BSTR(&name) : L"");
        VariantClear(&name);
        VariantClear(&type);
        VariantClear(&focusable);
    }
    std::printf("%d elements\n", length);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 || (std::wcscmp(argv[1], L"wake") != 0 && std::wcscmp(argv[1], L"tree") != 0)) {
        std::printf("usage: uia_probe wake|tree\n");
        return 2;
    }
    HWND window = find_window();
    if (window == nullptr)
        return 1;
    if (std::wcscmp(argv[1], L"wake") == 0)
        return wake(window);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    return tree(window);
}
