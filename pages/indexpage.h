#pragma once

#include "page.h"
#include "pagetext.h"

class IndexPage : public Page
{
public:
    explicit IndexPage(QIODevice &file);
    void add(const ProjectInfo &project) override;
    bool finish() override;

private:
    PageText m_text;
    qsizetype m_added = 0;
};
