#pragma once
#include "ops/CertificatePrompt.h"
#include "ops/ConnectionNotifier.h"
#include "ops/LocalPane.h"
#include "ops/LoginPrompt.h"
#include "ops/ProgressRunner.h"
#include "ops/RemotePane.h"
#include "ops/Scheduler.h"
#include "ops/SitePicker.h"
#include "store/UserPrompt.h"

// The parts of the main window that the connection manager works with.
struct ConnectionWindow {
    ProgressRunner& progress;
    UserPrompt& prompt;
    LoginPrompt& login;
    RemotePane& remote;
    LocalPane& local;
    Scheduler& scheduler;
    ConnectionNotifier& notifier;
    SitePicker& sites;
    CertificatePrompt& certificates;
};
