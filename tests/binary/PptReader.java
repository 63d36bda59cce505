// Prints what Apache POI (HSLF) reads from a .ppt, one line per item, for the
// binary writer's test to compare with what it asked for.
import java.awt.geom.Rectangle2D;
import java.io.FileInputStream;
import java.util.List;

import org.apache.poi.hslf.usermodel.*;
import org.apache.poi.sl.usermodel.Placeholder;

public class PptReader {
    static String box(Rectangle2D r) {
        return String.format("%.0f,%.0f,%.0f,%.0f", r.getX(), r.getY(), r.getWidth(), r.getHeight());
    }

    static String link(HSLFHyperlink h) {
        return h == null ? "" : " link=" + h.getTypeEnum() + ":" + h.getAddress();
    }

    static void text(String indent, List<HSLFTextParagraph> paragraphs) {
        for (HSLFTextParagraph p : paragraphs) {
            System.out.println(indent + "para align=" + p.getTextAlign() + " bullet=" + p.isBullet() + " level=" + p.getIndentLevel());
            for (HSLFTextRun r : p.getTextRuns()) {
                String t = r.getRawText().replace("\r", "").replace("\n", "\\n").replace("\u000b", "\\v");
                System.out.println(indent + " run \"" + t + "\" font=" + r.getFontFamily() + " size=" + r.getFontSize() + " b=" + r.isBold()
                    + " i=" + r.isItalic() + " u=" + r.isUnderlined() + link(r.getHyperlink()));
            }
        }
    }

    static void shapes(String indent, List<HSLFShape> shapes) throws Exception {
        for (HSLFShape s : shapes) {
            String ph = "";
            if (s instanceof HSLFSimpleShape) {
                Placeholder p = ((HSLFSimpleShape) s).getPlaceholder();
                if (p != null) ph = " placeholder=" + p;
            }
            String kind = s.getClass().getSimpleName();
            String extra = "";
            if (s instanceof HSLFObjectShape) {
                HSLFObjectShape o = (HSLFObjectShape) s;
                extra = " progId=" + o.getProgId() + " embedded=" + (o.getObjectData() != null ? o.getObjectData().getInputStream().readAllBytes().length : -1);
            }
            if (s instanceof HSLFPictureShape) {
                HSLFPictureData d = ((HSLFPictureShape) s).getPictureData();
                extra += " picture=" + (d == null ? "none" : d.getType() + ":" + d.getData().length);
            }
            if (s instanceof HSLFSimpleShape) extra += link(((HSLFSimpleShape) s).getHyperlink());
            System.out.println(indent + kind + " anchor=" + box(s.getAnchor()) + ph + extra);
            if (s instanceof HSLFTextShape) {
                HSLFTextShape ts = (HSLFTextShape) s;
                System.out.println(indent + " wrap=" + ts.getWordWrap() + " fit=" + (ts.getEscherProperty(org.apache.poi.ddf.EscherProperties.TEXT__SIZE_TEXT_TO_FIT_SHAPE) & 2));
                text(indent + "  ", ts.getTextParagraphs());
            }
        }
    }

    static void read(String file) throws Exception {
        try (HSLFSlideShow show = new HSLFSlideShow(new FileInputStream(file))) {
            System.out.println("size " + show.getPageSize().width + "x" + show.getPageSize().height);
            System.out.println("pictures " + show.getPictureData().size());
            for (HSLFSlideMaster m : show.getSlideMasters()) {
                HSLFFill fill = m.getBackground().getFill();
                HSLFPictureData picture = fill.getPictureData();
                System.out.println("master background=" + fill.getForegroundColor());
                shapes(" ", m.getShapes());
                System.out.println(" master fill=" + fill.getFillType() + " colour=" + fill.getForegroundColor() + " back="
                    + fill.getBackgroundColor() + (picture == null ? "" : " picture=" + picture.getType()));
            }
            for (HSLFSlide slide : show.getSlides()) {
                System.out.println("slide " + slide.getSlideNumber());
                org.apache.poi.hslf.model.HeadersFooters hf = slide.getHeadersFooters();
                System.out.println(" footer visible=" + hf.isFooterVisible() + " text=" + hf.getFooterText() + " number=" + hf.isSlideNumberVisible()
                    + " date=" + hf.isDateTimeVisible() + " dateText=" + hf.getDateTimeText());
                shapes(" ", slide.getShapes());
                HSLFNotes notes = slide.getNotes();
                if (notes != null) {
                    System.out.println(" notes");
                    shapes("  ", notes.getShapes());
                }
            }
        }
    }

    // Every file is read, in one start of Java; each that throws is named,
    // and any makes the status 1.
    public static void main(String[] args) {
        int failed = 0;
        for (String file : args) {
            if (args.length > 1) System.out.println("file " + file);
            try {
                read(file);
            } catch (Throwable e) {
                ++failed;
                System.err.println("PptReader: " + file + ": " + e);
            }
        }
        if (args.length > 1) System.err.println("PptReader: " + args.length + " files read, " + failed + " failed");
        System.exit(failed == 0 ? 0 : 1);
    }
}
