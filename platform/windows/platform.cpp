// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/platform.h"

#include "app/accessibility.h"
#include "app/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <windows.h>
// windows.h first: oleauto.h needs its types.
#include <oleauto.h>

namespace skorvex::platform {

using app::News;
using app::urgent;

// Qt's UI Automation bridge passes no notification on, so the sentence is
// raised as UI Automation's own notification on the window, as Windows' screen
// readers read one. Looked up when first needed: Windows has it from 10 (1709)
// on, and before that nothing is raised.
namespace {
    using HostProvider = HRESULT(WINAPI*)(HWND, IUnknown**);
    using RaiseNotification = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);

    struct Automation {
        HostProvider host = nullptr;
        RaiseNotification raise = nullptr;
    };

    template <typename Function> Function look_up(HMODULE library, const char* name)
    {
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    }

    const Automation& automation()
    {
        static const Automation functions = [] {
            HMODULE library = LoadLibraryW(L"uiautomationcore.dll");
            if (library == nullptr)
                return Automation {};
            return Automation { look_up<HostProvider>(library, "UiaHostProviderFromHwnd"),
                look_up<RaiseNotification>(library, "UiaRaiseNotificationEvent") };
        }();
        return functions;
    }

    // NotificationKind and NotificationProcessing, as uiautomationcore.h has them.
    enum Kind { item_added, item_removed, action_completed, action_aborted, other };
    enum Processing { important_all, important_most_recent, all, most_recent };

    Kind kind_of(News news)
    {
        switch (news) {
        case News::verdict:
        case News::time_up:
            return action_completed;
        case News::hint:
        case News::error:
            return action_aborted;
        case News::notice:
        case News::ten_seconds:
            break;
        }
        return other;
    }

    // Sentences of one kind replace each other in a reader's queue.
    const wchar_t* activity_of(News news)
    {
        switch (news) {
        case News::verdict:
            return L"Skorvex.verdict";
        case News::hint:
            return L"Skorvex.hint";
        case News::notice:
            return L"Skorvex.notice";
        case News::ten_seconds:
            return L"Skorvex.ten_seconds";
        case News::time_up:
            return L"Skorvex.time_up";
        case News::error:
            break;
        }
        return L"Skorvex.error";
    }

    void announce(QWidget* window, const QString& sentence, News news)
    {
        const Automation& uia = automation();
        // Qt switches its accessibility on when a UI Automation client first
        // asks the window for its elements, as a screen reader does.
        if (uia.host == nullptr || uia.raise == nullptr || !QAccessible::isActive())
            return;
        IUnknown* provider = nullptr;
        if (FAILED(uia.host(reinterpret_cast<HWND>(window->winId()), &provider))
            || provider == nullptr)
            return;
        BSTR text = SysAllocStringLen(
            reinterpret_cast<const OLECHAR*>(sentence.utf16()), static_cast<UINT>(sentence.size()));
        BSTR activity = SysAllocString(activity_of(news));
        uia.raise(
            provider, kind_of(news), urgent(news) ? important_all : most_recent, text, activity);
        SysFreeString(activity);
        SysFreeString(text);
        provider->Release();
    }
}

void prepare() {}

void start() {}

app::Announcer announcer() { return announce; }

int run(app::MainWindow& window)
{
    window.show();
    return QApplication::exec();
}

} // namespace skorvex::platform
