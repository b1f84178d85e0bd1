// Renders the user manual: the Markdown chapters named on the command line,
// in order, into one PDF. Each chapter starts on a new page.
//   trevalon-render-manual OUT.pdf CHAPTER.md...
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: trevalon-render-manual OUT.pdf CHAPTER.md...\n");
    return 2;
  }
  QString markdown;
  for (int i = 2; i < args.size(); ++i) {
    QFile chapter(args[i]);
    if (!chapter.open(QIODevice::ReadOnly | QIODevice::Text)) {
      std::fprintf(stderr, "trevalon-render-manual: cannot read %s\n", qPrintable(args[i]));
      return 1;
    }
    markdown += QString::fromUtf8(chapter.readAll()) + QStringLiteral("\n\n");
  }

  QTextDocument document;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(10);
  document.setDefaultFont(font);
  document.setDefaultStyleSheet(QStringLiteral("code { font-family: 'DejaVu Sans Mono'; }"));
  document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);

  // A new page before every first-level heading but the first; headings in the product's colour.
  bool first = true;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level == 0) continue;
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    if (level == 1) {
      if (!first) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      first = false;
    }
    format.setTopMargin(level == 1 ? 6 : 10);
    format.setBottomMargin(4);
    cursor.setBlockFormat(format);
    cursor.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat chars;
    chars.setForeground(QColor(0x1e, 0x3a, 0x57));
    cursor.mergeCharFormat(chars);
  }

  QPdfWriter writer(args[1]);
  writer.setTitle(QStringLiteral("Trevalon user manual"));
  writer.setCreator(QStringLiteral("Trevalon"));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter);
  writer.setResolution(300);
  document.print(&writer);
  return QFile::exists(args[1]) ? 0 : 1;
}
