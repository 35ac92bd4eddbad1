#pragma once

#include "page.h"
#include "pagetext.h"

class LongPage : public Page
{
public:
    explicit LongPage(QIODevice &file);
    void add(const ProjectInfo &project) override;
    bool finish() override;

private:
    PageText m_text;
};
