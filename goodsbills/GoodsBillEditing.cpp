#include "GoodsBillEditing.h"

namespace {
GoodsBillEditorLauncher *s_launcher = nullptr;
}

GoodsBillEditorLauncher *GoodsBillEditorLauncher::current()
{
    return s_launcher;
}

void GoodsBillEditorLauncher::install(GoodsBillEditorLauncher *launcher)
{
    s_launcher = launcher;
}
