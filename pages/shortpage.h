#pragma once

#include "page.h"
#include "pagetext.h"

class ShortPage : public Page
{
public:
    explicit ShortPage(QIODevice &file);
    void add(const ProjectInfo &project) override;
    bool finish() override;

private:
    PageText m_text;
};
