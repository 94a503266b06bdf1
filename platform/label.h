#pragma once

#include <string>

namespace quorbel {

// A label whose caption a conversion sets (the converter window's status
// label; the command line prints it).
class Label {
public:
    virtual ~Label() = default;
    virtual void setCaption(std::string caption) = 0;
    virtual std::string caption() const = 0;
};

// A label that only keeps its caption: the command line's, and tests'.
class PlainLabel : public Label {
public:
    void setCaption(std::string caption) override { m_caption = std::move(caption); }
    std::string caption() const override { return m_caption; }

private:
    std::string m_caption;
};

} // namespace quorbel
