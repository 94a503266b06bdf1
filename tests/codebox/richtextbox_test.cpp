#include "codebox/richtextbox.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(RichTextBoxTest, EmptyBoxHasOneLine)
{
    RichTextBox box;
    EXPECT_EQ(box.lineCount(), 1);
}

} // namespace
} // namespace quorbel
