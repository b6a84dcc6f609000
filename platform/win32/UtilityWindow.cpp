#include "platform/win32/UtilityWindow.h"

#include "core/ErrorRoute.h"

UtilityWindow::UtilityWindow(TObject* sender, Handler handler)
    : HostedWindow({.class_name = kClassName, .style = WS_POPUP, .ex_style = WS_EX_TOOLWINDOW},
                   sender, &ReportToApplicationErrorRoute, std::move(handler)) {}
