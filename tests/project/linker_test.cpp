#include "project/linker.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quorbel::project {
namespace {

struct Source {
    ModuleKind kind;
    std::string name;
    std::string text; // lines joined with "\n"
};

// Each module's pages in a folder of its own; with frames, a header page
// beside the code page.
ProjectSymbols symbolsOf(const std::vector<Source> &sources, bool frames = false)
{
    std::vector<ModuleSymbols> modules;
    for (const Source &s : sources)
        modules.push_back(
            {s.kind, s.name, s.name + "/Code.html", outlineModule(s.text), frames ? s.name + "/Header.html" : ""});
    return ProjectSymbols(std::move(modules));
}

// The lines of module m's text, each as a line of HTML without tags, linked.
std::vector<std::string> linked(const ProjectSymbols &symbols, const std::vector<Source> &sources, std::size_t m)
{
    CodeLinker linker(symbols, m);
    std::vector<std::string> lines;
    std::istringstream in(sources[m].text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(linker.decorateLine(line + " "));
    return lines;
}

std::string link(std::string_view href, std::string_view word)
{
    return "<A HREF='" + std::string(href) + "' STYLE='color:inherit;text-decoration:none'>" + std::string(word) +
           "</A>";
}

TEST(Linker, CallsResolvedAsTheCompilerResolvesThem)
{
    const std::vector<Source> sources{
        {ModuleKind::Module, "Main",
         "Private mHidden As Long\n"
         "Public Sub Run(ByVal Report As Long)\n"
         "    Dim Shared As Long\n"
         "    Helper 1\n"
         "    Call Util.Helper(2)\n"
         "    Tools.Helper\n"
         "    Shared = Twice + Report\n"
         "    x = obj.Helper + Util.Missing + Util.Secret\n"
         "    Show Value:=Count\n"
         "    Run\n"
         "End Sub\n"
         "Private Sub Helper(n As Long)\n"
         "    Debug.Print \"Helper\" ' Helper\n"
         "    Total = Total + Count: Count\n"
         "    Me.Helper 1: Me.Count\n"
         "End Sub\n"},
        {ModuleKind::Module, "Util",
         "Public Sub Helper(n As Long)\nEnd Sub\nPublic Function Count() As Long\nEnd Function\n"
         "Public Sub Shared()\nEnd Sub\nPublic Sub Twice()\nEnd Sub\nPrivate Sub Secret()\nEnd Sub\n"
         "Public Sub Report()\nEnd Sub\nPublic Sub Show()\nEnd Sub\n"},
        {ModuleKind::Module, "Tools", "Public Sub Helper()\nEnd Sub\nPublic Sub Twice()\nEnd Sub\n"},
        {ModuleKind::Class, "Widget", "Public Function Total() As Long\nEnd Function\n"},
    };
    const ProjectSymbols symbols = symbolsOf(sources);
    const std::vector<std::string> lines = linked(symbols, sources, 0);
    // The module's own Helper comes before Util's; strings and comments stay.
    EXPECT_EQ(lines[3], "    " + link("#Helper", "Helper") + " 1 ");
    EXPECT_EQ(lines[4], "    Call Util." + link("../Util/Code.html#Helper", "Helper") + "(2) ");
    EXPECT_EQ(lines[5], "    Tools." + link("../Tools/Code.html#Helper", "Helper") + " ");
    // A local (Shared), a parameter (Report) and a name two modules offer (Twice): no link.
    EXPECT_EQ(lines[6], "    Shared = Twice + Report ");
    // An object's member, a procedure the module lacks and a Private one of another module: no link.
    EXPECT_EQ(lines[7], "    x = obj.Helper + Util.Missing + Util.Secret ");
    EXPECT_EQ(lines[8], "    " + link("../Util/Code.html#Show", "Show") +
                            " Value:=" + link("../Util/Code.html#Count", "Count") + " ");
    EXPECT_EQ(lines[9], "    " + link("#Run", "Run") + " ");
    EXPECT_EQ(lines[12], "    Debug.Print \"Helper\" ' Helper ");
    // A class's Public procedure is not reached without an object.
    EXPECT_EQ(lines[13], "    Total = Total + " + link("../Util/Code.html#Count", "Count") + ": " +
                             link("../Util/Code.html#Count", "Count") + " ");
    // Me is the module itself: its own procedures only.
    EXPECT_EQ(lines[14], "    Me." + link("#Helper", "Helper") + " 1: Me.Count ");
}

TEST(Linker, InAFrameSetALinkToAnotherModuleBringsItsHeaderPage)
{
    const std::vector<Source> sources{
        {ModuleKind::Module, "Main", "Sub Run()\n    Helper\n    Local\nEnd Sub\nSub Local()\nEnd Sub\n"},
        {ModuleKind::Module, "Util Two", "Public Sub Helper()\nEnd Sub\n"},
    };
    const ProjectSymbols symbols = symbolsOf(sources, true);
    const std::vector<std::string> lines = linked(symbols, sources, 0);
    // The header page's path is relative to the code page and percent-encoded.
    EXPECT_EQ(lines[1],
              "    <A HREF='../Util%20Two/Code.html#Helper' STYLE='color:inherit;text-decoration:none' "
              "ONCLICK=\"if(parent.header)parent.header.location.href='../Util%20Two/Header.html'\">Helper</A> ");
    // The module's own procedure: its header page is already there.
    EXPECT_EQ(lines[2], "    " + link("#Local", "Local") + " ");
}

TEST(Linker, PublicNamesThatAreNoProceduresMakeANameAmbiguous)
{
    const std::vector<Source> sources{
        {ModuleKind::Module, "A", "Public Sub Paint()\n    x = Refresh + Limit: Tint: Hue\nEnd Sub\n"},
        {ModuleKind::Module, "B",
         "Public Limit As Long\nEnum Shade\n    Refresh = 1\nEnd Enum\nPrivate Enum Inner\n    Hue\nEnd Enum\n"
         "Public Sub Tint()\nEnd Sub\n"},
        {ModuleKind::Module, "C",
         "Public Sub Refresh()\nEnd Sub\nPublic Sub Limit()\nEnd Sub\nPublic Sub Hue()\nEnd Sub\n"},
    };
    const ProjectSymbols symbols = symbolsOf(sources);
    EXPECT_EQ(linked(symbols, sources, 0)[1], "    x = Refresh + Limit: " + link("../B/Code.html#Tint", "Tint") + ": " +
                                                  link("../C/Code.html#Hue", "Hue") + " ");
    EXPECT_EQ(symbols.modules()[1].outline.variables, (std::vector<std::string>{"limit", "refresh", "hue"}));
    EXPECT_EQ(symbols.modules()[1].outline.publicNames, (std::vector<std::string>{"limit", "refresh"}));
}

TEST(Linker, JumpsLeadToTheLabelsOfTheirProcedure)
{
    const std::vector<Source> sources{{ModuleKind::Module, "M",
                                       "Sub A()\n"
                                       "    On Error GoTo Failed\n"
                                       "    On n GoTo 10, Failed\n"
                                       "10  GoSub Inner: Resume Next\n"
                                       "Inner: Return\n"
                                       "Failed:\n"
                                       "    Resume Retry\n"
                                       "End Sub\n"
                                       "Sub B()\n"
                                       "    GoTo Failed\n"
                                       "Failed:\n"
                                       "End Sub\n"}};
    const ProjectSymbols symbols = symbolsOf(sources);
    const std::vector<std::string> lines = linked(symbols, sources, 0);
    EXPECT_EQ(lines[1], "    On Error GoTo " + link("#A.Failed", "Failed") + " ");
    EXPECT_EQ(lines[2], "    On n GoTo " + link("#A.10", "10") + ", " + link("#A.Failed", "Failed") + " ");
    EXPECT_EQ(lines[3], "<A NAME='A.10'></A>10  GoSub " + link("#A.Inner", "Inner") + ": Resume Next ");
    EXPECT_EQ(lines[4], "<A NAME='A.Inner'></A>Inner: Return ");
    EXPECT_EQ(lines[5], "<A NAME='A.Failed'></A>Failed: ");
    EXPECT_EQ(lines[6], "    Resume Retry "); // no such label
    EXPECT_EQ(lines[9], "    GoTo " + link("#B.Failed", "Failed") + " ");
    EXPECT_EQ(lines[10], "<A NAME='B.Failed'></A>Failed: ");
}

TEST(Linker, TagsGoAroundTheWordInsideItsColourAndEntitiesCount)
{
    const std::vector<Source> sources{{ModuleKind::Module, "M",
                                       "Property Get Size() As Long\nEnd Property\n"
                                       "Sub A()\n    If x < Size And y & z Then Size\nEnd Sub\n"}};
    const ProjectSymbols symbols = symbolsOf(sources);
    CodeLinker linker(symbols, 0);
    EXPECT_EQ(linker.decorateLine("<FONT COLOR=#1D048E>Property</FONT> <FONT COLOR=#1D048E>Get</FONT> "
                                  "<FONT COLOR=#B67C30>Size</FONT>() <FONT COLOR=#1D048E>As</FONT> "
                                  "<FONT COLOR=#1D048E>Long</FONT>"),
              "<FONT COLOR=#1D048E><A NAME='Size.Get'></A>Property</FONT> <FONT COLOR=#1D048E>Get</FONT> "
              "<FONT COLOR=#B67C30>Size</FONT>() <FONT COLOR=#1D048E>As</FONT> <FONT COLOR=#1D048E>Long</FONT>");
    linker.decorateLine("<FONT COLOR=#1D048E>End</FONT> <FONT COLOR=#1D048E>Property</FONT>");
    std::string start = "<A NAME='A'></A>\r\nSub A() \r\n";
    linker.decorate(start);
    EXPECT_EQ(start, "<A NAME='A'></A>\r\nSub A() \r\n");
    EXPECT_EQ(linker.decorateLine("    If x &lt; <FONT COLOR=#B67C30>Size</FONT> And y &amp; z Then Size "),
              "    If x &lt; <FONT COLOR=#B67C30>" + link("#Size.Get", "Size") + "</FONT> And y &amp; z Then " +
                  link("#Size.Get", "Size") + " ");
}

TEST(Linker, RepeatedAnchorsOfThePageWriterRenamedInOrder)
{
    const std::vector<Source> sources{{ModuleKind::Module, "M",
                                       "#If A Then\nSub Twice()\n#Else\nSub Twice()\n#End If\nEnd Sub\n"
                                       "Sub Caller()\n    Twice\nEnd Sub\n"}};
    const ProjectSymbols symbols = symbolsOf(sources);
    CodeLinker linker(symbols, 0);
    std::string block = "#If A Then \r\n<A NAME='Twice'></A>\r\nSub Twice() \r\n#Else \r\n<A NAME='Twice'></A>\r\n"
                        "Sub Twice() \r\n#End If \r\nEnd Sub \r\n'<hr>\r\n<A NAME='Caller'></A>\r\nSub Caller() \r\n"
                        "    Twice \r\n";
    linker.decorate(block);
    EXPECT_EQ(block, "#If A Then \r\n<A NAME='Twice'></A>\r\nSub Twice() \r\n#Else \r\n<A NAME='Twice~2'></A>\r\n"
                     "Sub Twice() \r\n#End If \r\nEnd Sub \r\n'<hr>\r\n<A NAME='Caller'></A>\r\nSub Caller() \r\n"
                     "    Twice \r\n"); // declared twice: no link
}

} // namespace
} // namespace quorbel::project
