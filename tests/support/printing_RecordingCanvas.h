#pragma once
// A list canvas that records the job instead of printing it: every call in
// order, and every text with the page and font style it went out with.
#include "printing/ListPrint.h"

#include <QList>
#include <QString>
#include <QStringList>

struct PrintedText {
    int page = 0;
    int x = 0;
    int y = 0;
    bool bold = false;
    QString text;
};

class RecordingCanvas : public ListCanvas
{
public:
    bool beginDoc() override
    {
        calls << QStringLiteral("begin");
        if (refuseBegin)
            return false;
        m_page = 1;
        return true;
    }
    void newPage() override
    {
        calls << QStringLiteral("newPage");
        ++m_page;
    }
    void endDoc() override { calls << QStringLiteral("end"); }
    void abortDoc() override { calls << QStringLiteral("abort"); }
    int pageNumber() const override { return m_page; }
    void setBold(bool bold) override
    {
        calls << (bold ? QStringLiteral("bold") : QStringLiteral("regular"));
        m_bold = bold;
    }
    void textOut(int x, int y, const QString& text) override
    {
        calls << QStringLiteral("text %1,%2 %3").arg(x).arg(y).arg(text);
        texts.append({m_page, x, y, m_bold, text});
    }

    int pages() const { return m_page; }
    QList<PrintedText> onPage(int page) const
    {
        QList<PrintedText> out;
        for (const PrintedText& t : texts)
            if (t.page == page)
                out.append(t);
        return out;
    }

    bool refuseBegin = false;
    QStringList calls;
    QList<PrintedText> texts;

private:
    int m_page = 0;
    bool m_bold = false;
};
