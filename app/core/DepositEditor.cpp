#include "DepositEditor.h"

namespace {
DepositEditor *s_current = nullptr;
}

DepositEditor *DepositEditor::current()
{
    return s_current;
}

void DepositEditor::install(DepositEditor *editor)
{
    s_current = editor;
}
