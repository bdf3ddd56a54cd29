#include "FinanceImages.h"

// Outside any namespace: the macro declares the resource's initialiser,
// which lives in the global namespace.
static void registerFinanceImages()
{
    Q_INIT_RESOURCE(FinanceImages);
}

QString FinanceImage(const char *fileName)
{
    static const bool registered = (registerFinanceImages(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/finance/") + QString::fromLatin1(fileName);
}
