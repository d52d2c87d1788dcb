#ifndef HOI_CONSOLE_ITEMDATA_H
#define HOI_CONSOLE_ITEMDATA_H

#include <QVariant>

class CHOIDev;
class CHOIScene;

// Rows of the device lists and trees keep their device (or layout) in
// column 0 under Qt::UserRole as the full-width pointer value, so nothing is
// cut on 64-bit builds. The item never owns what it points to.

inline QVariant PtrToVariant(const void *p)
{
    return QVariant(qulonglong(reinterpret_cast<quintptr>(p)));
}

template <typename T>
inline T *VariantToPtr(const QVariant &value)
{
    return reinterpret_cast<T *>(quintptr(value.toULongLong()));
}

inline QVariant DevToVariant(CHOIDev *pDev)
{
    return PtrToVariant(pDev);
}

inline CHOIDev *VariantToDev(const QVariant &value)
{
    return VariantToPtr<CHOIDev>(value);
}

inline QVariant SceneToVariant(CHOIScene *pScene)
{
    return PtrToVariant(pScene);
}

inline CHOIScene *VariantToScene(const QVariant &value)
{
    return VariantToPtr<CHOIScene>(value);
}

#endif
