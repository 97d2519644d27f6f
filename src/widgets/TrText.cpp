#include "widgets/TrText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace
{
const char* const kSource = "trSource";
const char* const kContext = "trContext";
const char* const kTip = "trTip";
const char* const kTitle = "trTitle";

const char* prop(const QWidget* w, const char* name)
{
    const QVariant v = w->property(name);
    return v.isValid() ? static_cast<const char*>(v.value<void*>()) : nullptr;
}

void keep(QWidget* w, const char* name, const char* text)
{
    w->setProperty(name, QVariant::fromValue(static_cast<void*>(const_cast<char*>(text))));
}

QString translated(const QWidget* w, const char* name)
{
    return QCoreApplication::translate(prop(w, kContext), prop(w, name));
}

void retranslateOne(QWidget* w)
{
    if (!prop(w, kContext))
        return;
    if (prop(w, kSource)) {
        const QString text = translated(w, kSource);
        if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(text);
            if (label->property("trAdjustSize").toBool())
                label->adjustSize();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->setText(text);
    }
    if (prop(w, kTip))
        w->setToolTip(translated(w, kTip));
    if (prop(w, kTitle))
        w->setWindowTitle(translated(w, kTitle));
}
} // namespace

void setTrText(QWidget* w, const char* context, const char* source)
{
    keep(w, kContext, context);
    keep(w, kSource, source);
    retranslateOne(w);
}

void setTrToolTip(QWidget* w, const char* context, const char* source)
{
    keep(w, kContext, context);
    keep(w, kTip, source);
    retranslateOne(w);
}

void setTrTitle(QWidget* w, const char* context, const char* source)
{
    keep(w, kContext, context);
    keep(w, kTitle, source);
    retranslateOne(w);
}

void retranslateTree(QWidget* root)
{
    retranslateOne(root);
    const QList<QWidget*> children = root->findChildren<QWidget*>();
    for (QWidget* w : children)
        retranslateOne(w);
}

void retranslateAll()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        retranslateTree(w);
}
