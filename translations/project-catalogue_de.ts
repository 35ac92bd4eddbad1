<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Application</name>
    <message>
        <source>Project Management</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CatalogueCheck</name>
    <message>
        <source>picture %1 is missing (%2): the long page will show a broken image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pictures %1 to %2 are missing (%3 to %4): the long page will show broken images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture 1 is missing (%1): the index, short and long pages will show a broken image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture 1 is missing (%1): the index and short pages will show a broken image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the stored picture count is %1, but picture %2 is the highest found: selecting the project makes it %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name cannot be looked up as a picture file: it holds &apos;/&apos;, &apos;\&apos;, a NUL or a character file names cannot hold, so its pictures are never found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CatalogueFile</name>
    <message>
        <source>%1 was changed by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has another name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CheckPicturesDialog</name>
    <message>
        <source>Check Pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Findings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing found: every picture the pages show is in place, and every picture count agrees with the pictures found.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Shows this help and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the version and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Builds projects_index.htm, projects_short.htm and projects_long.htm in FOLDER from its projects.txt, without a window or a display, and prints the paths of the three pages. The pages are those of opening the window and pressing Build Pages at once: as selecting the first project at start-up does, its picture count is first set to the highest of its pictures 2 to 9 found, when there is one; the other counts are used as stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reports what would make the published pages wrong, one line per finding (projects.txt:RECORD: Name: message), without a window or a display: missing pictures, stored picture counts that differ from the pictures found, names that cannot be looked up, and a projects.txt that could not be read whole.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens the window on the catalogue folder opened last, instead of the working directory; the first time, or when that folder is gone, asks for a folder, and ends without writing anything when none is chosen; a folder that cannot be entered is named with the reason, and another is asked for. The desktop menu starts the program so.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keeps a catalogue of projects and publishes it as three linked web pages.
Without an option it opens the window on the catalogue in FOLDER; the window needs a display.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The catalogue folder: projects.txt is read and saved there, and the pages are written there. The default is the working directory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[FOLDER]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--build-pages and --check cannot be given together.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--last-folder opens the window; it cannot be given with --build-pages or --check.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--last-folder and a FOLDER cannot be given together.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only one FOLDER can be given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no such folder: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not a folder: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot enter %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: %1 [options] [FOLDER]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the window needs a display, and none is set (DISPLAY, WAYLAND_DISPLAY); --build-pages and --check work without one.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>The working folder no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operation failed without a reason from the system.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written completely.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a plain file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>Open Catalogue Folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HeifReader</name>
    <message>
        <source>It could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is %1 × %2 pixels, larger than pictures are made from.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is damaged or incomplete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to read it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is a HEIC/HEIF photo, which this build of the program does not read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LastFolder</name>
    <message>
        <source>Not possible to open %1<byte value="xd"/>%2 Choose another folder.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Unsaved edits of this catalogue from %1 were recovered, but projects.txt has changed since they were made.<byte value="xd"/>They cannot be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 edits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsaved edits of this catalogue from %1 were recovered (%2).<byte value="xd"/>Restore them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recovered edits do not fit this catalogue.<byte value="xd"/>They were not restored.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageBoxService</name>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Not possible to read %1<byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds %2 more projects than the %3 that can be kept; only the first %3 were loaded.<byte value="xd"/>The file is unchanged until you press Save All.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no project that could be read.<byte value="xd"/>The file is unchanged until you press Save All.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Long Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TIP or Project Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 of project %2 (&quot;%3&quot;) holds a line that projects.txt cannot keep apart from the next field.<byte value="xd"/>Saving it changes that project when the file is read again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read (%2).<byte value="xd"/>Replacing it loses what it holds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was made by another program after the catalogue was opened.<byte value="xd"/>Replacing it loses what it holds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no project that could be read.<byte value="xd"/>Replacing it loses what it holds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed by another program after it was read.<byte value="xd"/>Replacing it loses those changes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has another name (a hard link).<byte value="xd"/>Saving gives %1 a file of its own, and the other name keeps the old text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No existing file, creating projects.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not possible to Save Project Information<byte value="xd"/>Check for write protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select a Project to Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not possible to Add a Project<byte value="xd"/>The catalogue already holds 32767 projects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages Built</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The catalogue has changes that are not saved.<byte value="xd"/>Save them to projects.txt first?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not possible to Create Web Pages<byte value="xd"/>Check for write protection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PictureMaker</name>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is larger than %1 MB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is %1 × %2 pixels; pictures are made from photos of up to %3 pixels a side and %4 megapixels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a picture in a format this program reads.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is damaged or incomplete (it ends too early).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is damaged or incomplete (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to read it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its picture could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PictureStep</name>
    <message>
        <source>%1 is larger than a picture can be.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 differs from the picture %2 only in letter case; a file system that ignores case takes them for one file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name %1 cannot be part of a file name, so it cannot have pictures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A project has at most %1 pictures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no picture %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pictures keep the name %1: %2 cannot be part of a file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pictures keep the name %1: another project still carries it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pictures keep the name %1: %2 exists already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pictures keep the name %1: pictures named %2 exist already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is there now. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed by another program. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These pictures could not be put back as they were: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlainFile</name>
    <message>
        <source>It is a folder, not a file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PublishCommands</name>
    <message>
        <source>%1: there is no %2 in %3
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 holds %3 projects, more than the %4 a catalogue can keep; no page was written.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 is a link to a file that does not exist; it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 leads through too many links; it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a link owned by another user; it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lies behind a link owned by another user, %2; it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 changed while it was being saved; it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a link to something that is not a plain file; it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WorkingFolder</name>
    <message>
        <source>It is not a folder that can be entered.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
