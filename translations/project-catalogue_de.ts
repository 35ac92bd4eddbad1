<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Application</name>
    <message>
        <source>Project Management</source>
        <translation>Projektverwaltung</translation>
    </message>
</context>
<context>
    <name>Askpass</name>
    <message>
        <source>Publish over SSH</source>
        <translation>Über SSH veröffentlichen</translation>
    </message>
</context>
<context>
    <name>CatalogueCheck</name>
    <message>
        <source>picture %1 is missing (%2): the long page will show a broken image</source>
        <translation>Bild %1 fehlt (%2): Die Seite der Langbeschreibungen zeigt ein defektes Bild an</translation>
    </message>
    <message>
        <source>pictures %1 to %2 are missing (%3 to %4): the long page will show broken images</source>
        <translation>Bilder %1 bis %2 fehlen (%3 bis %4): Die Seite der Langbeschreibungen zeigt defekte Bilder an</translation>
    </message>
    <message>
        <source>picture 1 is missing (%1): the index, short and long pages will show a broken image</source>
        <translation>Bild 1 fehlt (%1): Die Übersichtsseite und die Seiten der Kurz- und Langbeschreibungen zeigen ein defektes Bild an</translation>
    </message>
    <message>
        <source>picture 1 is missing (%1): the index and short pages will show a broken image</source>
        <translation>Bild 1 fehlt (%1): Die Übersichtsseite und die Seite der Kurzbeschreibungen zeigen ein defektes Bild an</translation>
    </message>
    <message>
        <source>the stored picture count is %1, but picture %2 is the highest found: selecting the project makes it %2</source>
        <translation>Die gespeicherte Bildanzahl ist %1, das höchste gefundene Bild ist aber Bild %2: Beim Auswählen des Projekts wird sie auf %2 gesetzt</translation>
    </message>
    <message>
        <source>the name cannot be looked up as a picture file: it holds &apos;/&apos;, &apos;\&apos;, a NUL or a character file names cannot hold, so its pictures are never found</source>
        <translation>Zu dem Namen können keine Bilddateien gesucht werden: Er enthält „/“, „\“, ein NUL-Zeichen oder ein Zeichen, das in Dateinamen nicht vorkommen kann; seine Bilder werden daher nie gefunden</translation>
    </message>
</context>
<context>
    <name>CatalogueFile</name>
    <message>
        <source>%1 was changed by another program.</source>
        <translation>%1 wurde von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>%1 has another name.</source>
        <translation>%1 hat einen weiteren Namen.</translation>
    </message>
</context>
<context>
    <name>CatalogueOpening</name>
    <message>
        <source>Start a new catalogue in %1?<byte value="xd"/>The folder holds no projects.txt. Create writes one there with a single project, &quot;New&quot;; until then nothing is written.</source>
        <translation>Einen neuen Katalog in %1 anlegen?<byte value="xd"/>Der Ordner enthält keine projects.txt. „Erstellen“ legt dort eine mit einem einzigen Projekt „New“ an; bis dahin wird nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>CatalogueStep</name>
    <message>
        <source>Typing in TIP or Project Name</source>
        <translation>Eingabe in „TIP oder Projektname“</translation>
    </message>
    <message>
        <source>Typing in Location</source>
        <translation>Eingabe in „Ort“</translation>
    </message>
    <message>
        <source>Typing in Short Description</source>
        <translation>Eingabe in „Kurzbeschreibung“</translation>
    </message>
    <message>
        <source>Typing in Long Description</source>
        <translation>Eingabe in „Langbeschreibung“</translation>
    </message>
    <message>
        <source>Add Project</source>
        <translation>Projekt hinzufügen</translation>
    </message>
    <message>
        <source>Delete Project</source>
        <translation>Projekt löschen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten verschieben</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Shows this help and ends.</source>
        <translation>Zeigt diese Hilfe an und beendet das Programm.</translation>
    </message>
    <message>
        <source>Shows the version and ends.</source>
        <translation>Zeigt die Versionsnummer an und beendet das Programm.</translation>
    </message>
    <message>
        <source>Builds projects_index.htm, projects_short.htm and projects_long.htm in FOLDER from its projects.txt, without a window or a display, and prints the paths of the three pages. The pages are those of opening the window and pressing Build Pages at once: as selecting the first project at start-up does, its picture count is first set to the highest of its pictures 2 to 9 found, when there is one; the other counts are used as stored.</source>
        <translation>Erstellt projects_index.htm, projects_short.htm und projects_long.htm in ORDNER aus dessen projects.txt, ohne Fenster und ohne Display, und gibt die Pfade der drei Seiten aus. Die Seiten sind dieselben wie nach dem Öffnen des Fensters und sofortigem Klick auf „Seiten erstellen“: Wie beim Auswählen des ersten Projekts nach dem Start wird dessen Bildanzahl zuerst auf das höchste gefundene seiner Bilder 2 bis 9 gesetzt, sofern es eines gibt; die übrigen Anzahlen werden so verwendet, wie sie gespeichert sind.</translation>
    </message>
    <message>
        <source>Keeps a catalogue of projects and publishes it as three linked web pages.
Without an option it opens the window on the catalogue in FOLDER; the window needs a display.</source>
        <translation>Verwaltet einen Katalog von Projekten und veröffentlicht ihn als drei verlinkte Webseiten.
Ohne Option öffnet es das Fenster mit dem Katalog in ORDNER; das Fenster braucht ein Display.</translation>
    </message>
    <message>
        <source>[FOLDER]</source>
        <translation>[ORDNER]</translation>
    </message>
    <message>
        <source>--build-pages and --check cannot be given together.</source>
        <translation>--build-pages und --check können nicht zusammen angegeben werden.</translation>
    </message>
    <message>
        <source>--last-folder opens the window; it cannot be given with --build-pages or --check.</source>
        <translation>--last-folder öffnet das Fenster und kann nicht mit --build-pages oder --check angegeben werden.</translation>
    </message>
    <message>
        <source>Only one FOLDER can be given.</source>
        <translation>Es kann nur ein ORDNER angegeben werden.</translation>
    </message>
    <message>
        <source>%1: no such folder: %2</source>
        <translation>%1: Ordner nicht gefunden: %2</translation>
    </message>
    <message>
        <source>%1: not a folder: %2</source>
        <translation>%1: Kein Ordner: %2</translation>
    </message>
    <message>
        <source>%1: cannot enter %2</source>
        <translation>%1: Wechsel in den Ordner nicht möglich: %2</translation>
    </message>
    <message>
        <source>Usage: %1 [options] [FOLDER]</source>
        <translation>Aufruf: %1 [Optionen] [ORDNER]</translation>
    </message>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: %2
„%1 --help“ liefert weitere Informationen.
</translation>
    </message>
    <message>
        <source>%1: the window needs a display, and none is set (DISPLAY, WAYLAND_DISPLAY); --build-pages and --check work without one.
</source>
        <translation>%1: Das Fenster braucht ein Display, es ist aber keines gesetzt (DISPLAY, WAYLAND_DISPLAY); --build-pages und --check funktionieren auch ohne.
</translation>
    </message>
    <message>
        <source>FOLDER</source>
        <translation>ORDNER</translation>
    </message>
    <message>
        <source>Reports what would make the published pages wrong, one line per finding (projects.txt:RECORD: Name: message), without a window or a display: missing pictures, stored picture counts that differ from the pictures found, names that cannot be looked up, a projects.txt that could not be read whole, and pictures in Thumbs that no project&apos;s name leads to (Thumbs: Name: message: left by a rename or a Delete, and kept).</source>
        <translation>Meldet, was die veröffentlichten Seiten fehlerhaft machen würde, eine Zeile je Befund (projects.txt:EINTRAG: Name: Meldung), ohne Fenster und ohne Display: fehlende Bilder, gespeicherte Bildanzahlen, die von den gefundenen Bildern abweichen, Namen, zu denen keine Bilder gesucht werden können, eine projects.txt, die nicht vollständig gelesen werden konnte, und Bilder in Thumbs, zu denen der Name keines Projekts führt (Thumbs: Name: Meldung: nach einem Umbenennen oder Löschen übrig geblieben und aufbewahrt).</translation>
    </message>
    <message>
        <source>Makes a picture of each FILE (JPEG, PNG, BMP, GIF; WebP and TIFF with Qt&apos;s image-format plugins; HEIC/HEIF through libheif) and adds it after the last picture of the project named PROJECT, in the catalogue of the working directory: turned upright, scaled to fit 180 x 120, at most 256 colours, written as Thumbs/PROJECT_pK.gif. The project&apos;s picture count is saved to projects.txt. A file that cannot be made into a picture is named with the reason on standard error and skipped; the others are still added, and the exit status is 1.</source>
        <translation>Macht aus jeder DATEI (JPEG, PNG, BMP, GIF; WebP und TIFF mit den Bildformat-Plugins von Qt; HEIC/HEIF über libheif) ein Bild und fügt es nach dem letzten Bild des Projekts namens PROJEKT an, im Katalog des Arbeitsverzeichnisses: aufrecht gedreht, auf 180 x 120 eingepasst, mit höchstens 256 Farben, geschrieben als Thumbs/PROJEKT_pK.gif. Die Bildanzahl des Projekts wird in projects.txt gespeichert. Eine Datei, aus der kein Bild gemacht werden kann, wird mit dem Grund in der Standardfehlerausgabe genannt und übersprungen; die anderen werden trotzdem hinzugefügt, und der Exit-Status ist 1.</translation>
    </message>
    <message>
        <source>PROJECT</source>
        <translation>PROJEKT</translation>
    </message>
    <message>
        <source>Builds the pages as --build-pages does, then sends to DESTINATION the pictures the pages link (Thumbs/) and, last, the three pages: only the files whose content differs from what DESTINATION holds. DESTINATION is a folder, [user@]host:path or ssh://[user@]host[:port]/path (the system&apos;s ssh, with rsync where the host has it, sftp where it has not; ssh asks for passwords and host keys in the terminal). Prints what is sent, the findings of --check, and the files under DESTINATION/Thumbs that no page links any more, which are left as they are.</source>
        <translation>Erstellt die Seiten wie --build-pages und sendet dann an ZIEL die Bilder, auf die die Seiten verweisen (Thumbs/), und zuletzt die drei Seiten: nur die Dateien, deren Inhalt sich von dem unterscheidet, was ZIEL enthält. ZIEL ist ein Ordner, [user@]host:path oder ssh://[user@]host[:port]/path (das ssh des Systems, mit rsync, wo der Host es hat, sonst mit sftp; ssh fragt Passwörter und Host-Schlüssel im Terminal ab). Gibt aus, was gesendet wird, die Befunde von --check und die Dateien unter ZIEL/Thumbs, auf die keine Seite mehr verweist; diese bleiben unverändert.</translation>
    </message>
    <message>
        <source>DESTINATION</source>
        <translation>ZIEL</translation>
    </message>
    <message>
        <source>With --publish: prints what would be sent and what is unlinked, and sends nothing (the pages are still built).</source>
        <translation>Mit --publish: Gibt aus, was gesendet würde und worauf nicht mehr verwiesen wird, und sendet nichts (die Seiten werden trotzdem erstellt).</translation>
    </message>
    <message>
        <source>With --publish: after the upload, removes the files under DESTINATION/Thumbs that no page links, printing each; nothing else is ever removed.</source>
        <translation>Mit --publish: Entfernt nach dem Hochladen die Dateien unter ZIEL/Thumbs, auf die keine Seite verweist, und gibt jede davon aus; sonst wird niemals etwas entfernt.</translation>
    </message>
    <message>
        <source>Opens the window the desktop&apos;s way: on FOLDER, a folder (or a file in one) dropped on the launcher, or else on the catalogue folder opened last, instead of the working directory; the first time, or when that folder is gone, asks for a folder, and ends without writing anything when none is chosen; a folder that cannot be entered is named with the reason, and another is asked for; a folder without projects.txt is asked about before one is written there. The desktop menu starts the program so.</source>
        <translation>Öffnet das Fenster so, wie es die Arbeitsumgebung tut: mit ORDNER, einem auf das Startsymbol gezogenen Ordner (oder einer Datei darin), oder sonst mit dem zuletzt geöffneten Katalogordner statt mit dem Arbeitsverzeichnis; beim ersten Mal oder wenn dieser Ordner nicht mehr existiert, fragt es nach einem Ordner und endet, ohne etwas zu schreiben, wenn keiner gewählt wird; ein Ordner, der nicht geöffnet werden kann, wird mit dem Grund genannt, und es wird nach einem anderen gefragt; bei einem Ordner ohne projects.txt wird nachgefragt, bevor dort eine angelegt wird. So startet das Menü der Arbeitsumgebung das Programm.</translation>
    </message>
    <message>
        <source>The catalogue folder: projects.txt is read and saved there, and the pages are written there. The default is the working directory. With --add-pictures: the photo FILEs instead.</source>
        <translation>Der Katalogordner: projects.txt wird dort gelesen und gespeichert, und die Seiten werden dort geschrieben. Vorgabe ist das Arbeitsverzeichnis. Mit --add-pictures: stattdessen die Fotodateien (DATEI).</translation>
    </message>
</context>
<context>
    <name>ExclusiveRename</name>
    <message>
        <source>%1 exists already.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>The working folder no longer exists.</source>
        <translation>Das Arbeitsverzeichnis existiert nicht mehr.</translation>
    </message>
    <message>
        <source>The folder %1 no longer exists.</source>
        <translation>Der Ordner %1 existiert nicht mehr.</translation>
    </message>
    <message>
        <source>The operation failed without a reason from the system.</source>
        <translation>Der Vorgang ist fehlgeschlagen, ohne dass das System einen Grund genannt hat.</translation>
    </message>
    <message>
        <source>%1 could not be written completely.</source>
        <translation>%1 konnte nicht vollständig geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 is not a plain file.</source>
        <translation>%1 ist keine gewöhnliche Datei.</translation>
    </message>
</context>
<context>
    <name>FindingsDialog</name>
    <message>
        <source>Check Pictures</source>
        <translation>Bilder prüfen</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Befunde</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;All</source>
        <translation>&amp;Alle kopieren</translation>
    </message>
    <message>
        <source>Row %1, not saved: %2: %3</source>
        <translation>Zeile %1, nicht gespeichert: %2: %3</translation>
    </message>
    <message>
        <source>Pictures looked for in %1</source>
        <translation>Bilder gesucht in %1</translation>
    </message>
    <message>
        <source>Double-click or press Enter to select the project</source>
        <translation>Doppelklicken oder die Eingabetaste drücken, um das Projekt auszuwählen</translation>
    </message>
    <message>
        <source>Nothing found: every picture the pages show is in place, and every picture count agrees with the pictures found.</source>
        <translation>Nichts gefunden: Jedes Bild, das die Seiten zeigen, ist vorhanden, und jede Bildanzahl stimmt mit den gefundenen Bildern überein.</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>Open Catalogue Folder (the folder that holds projects.txt)</source>
        <translation>Katalogordner öffnen (der Ordner, der projects.txt enthält)</translation>
    </message>
</context>
<context>
    <name>HeifReader</name>
    <message>
        <source>It could not be read.</source>
        <translation>Die Datei konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>It is %1 × %2 pixels, larger than pictures are made from.</source>
        <translation>Das Foto ist mit %1 × %2 Pixeln zu groß, um daraus ein Bild zu machen.</translation>
    </message>
    <message>
        <source>It is damaged or incomplete.</source>
        <translation>Die Datei ist beschädigt oder unvollständig.</translation>
    </message>
    <message>
        <source>There is not enough memory to read it.</source>
        <translation>Zum Lesen ist nicht genug Speicher frei.</translation>
    </message>
    <message>
        <source>It is a HEIC/HEIF photo, which this build of the program does not read.</source>
        <translation>Es ist ein HEIC/HEIF-Foto, das diese Programmversion nicht lesen kann.</translation>
    </message>
    <message>
        <source>It is damaged or incomplete (%1).</source>
        <translation>Die Datei ist beschädigt oder unvollständig (%1).</translation>
    </message>
</context>
<context>
    <name>LastFolder</name>
    <message>
        <source>Not possible to open %1<byte value="xd"/>%2 Choose another folder.</source>
        <translation>%1 kann nicht geöffnet werden<byte value="xd"/>%2 Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>The catalogue folder %1 was moved or deleted.<byte value="xd"/>Choose where it is now, or another folder.</source>
        <translation>Der Katalogordner %1 wurde verschoben oder gelöscht.<byte value="xd"/>Bitte wählen Sie aus, wo er sich jetzt befindet, oder einen anderen Ordner.</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Projects</source>
        <translation>Projekte</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Hin&amp;zufügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Save All</source>
        <translation>Alle &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Build Pages</source>
        <translation>Seiten &amp;erstellen</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>TIP or Project Name</source>
        <translation>TIP oder Projektname</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Short Description</source>
        <translation>Kurzbeschreibung</translation>
    </message>
    <message>
        <source>Long Description</source>
        <translation>Langbeschreibung</translation>
    </message>
    <message>
        <source>&amp;Open Folder…</source>
        <translation>&amp;Ordner öffnen…</translation>
    </message>
    <message>
        <source>&amp;Check Pictures…</source>
        <translation>Bilder &amp;prüfen…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;About Project Catalogue</source>
        <translation>&amp;Über Projektkatalog</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Add Project</source>
        <translation>Projekt &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete Project</source>
        <translation>Projekt &amp;löschen</translation>
    </message>
    <message>
        <source>Move U&amp;p</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move Dow&amp;n</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>%1[*] — Project Management</source>
        <translation>%1[*] — Projektverwaltung</translation>
    </message>
    <message>
        <source>Not possible to open %1<byte value="xd"/>It is not a folder that can be entered</source>
        <translation>%1 kann nicht geöffnet werden<byte value="xd"/>Es ist kein Ordner, der geöffnet werden kann</translation>
    </message>
    <message>
        <source>Project Catalogue %1<byte value="xd"/>Keeps a catalogue of projects and publishes it as three linked web pages.<byte value="xd"/>MIT License. Copyright (c) 2026 Project Catalogue developers.</source>
        <translation>Projektkatalog %1<byte value="xd"/>Verwaltet einen Katalog von Projekten und veröffentlicht ihn als drei verlinkte Webseiten.<byte value="xd"/>MIT-Lizenz. Copyright (c) 2026 Project Catalogue developers.</translation>
    </message>
    <message>
        <source>&amp;Publish…</source>
        <translation>&amp;Veröffentlichen…</translation>
    </message>
</context>
<context>
    <name>MessageBoxService</name>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Save Anyway</source>
        <translation>Trotzdem speichern</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>C&amp;reate</source>
        <translation>&amp;Erstellen</translation>
    </message>
    <message>
        <source>C&amp;hoose Another Folder…</source>
        <translation>Anderen &amp;Ordner wählen…</translation>
    </message>
    <message>
        <source>&amp;Open Index Page</source>
        <translation>&amp;Übersichtsseite öffnen</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Long Description</source>
        <translation>Langbeschreibung</translation>
    </message>
    <message>
        <source>TIP or Project Name</source>
        <translation>TIP oder Projektname</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Short Description</source>
        <translation>Kurzbeschreibung</translation>
    </message>
    <message>
        <source>The %1 of project %2 (&quot;%3&quot;) holds a line that projects.txt cannot keep apart from the next field.<byte value="xd"/>Saving it changes that project when the file is read again.</source>
        <translation>Das Feld „%1“ von Projekt %2 („%3“) enthält eine Zeile, die projects.txt nicht vom nächsten Feld unterscheiden kann.<byte value="xd"/>Wird es so gespeichert, ändert sich dieses Projekt, wenn die Datei wieder gelesen wird.</translation>
    </message>
    <message>
        <source>%1 could not be read (%2).<byte value="xd"/>Replacing it loses what it holds.</source>
        <translation>%1 konnte nicht gelesen werden (%2).<byte value="xd"/>Beim Ersetzen geht der Inhalt der Datei verloren.</translation>
    </message>
    <message>
        <source>%1 was made by another program after the catalogue was opened.<byte value="xd"/>Replacing it loses what it holds.</source>
        <translation>%1 wurde von einem anderen Programm angelegt, nachdem der Katalog geöffnet wurde.<byte value="xd"/>Beim Ersetzen geht der Inhalt der Datei verloren.</translation>
    </message>
    <message>
        <source>%1 holds no project that could be read.<byte value="xd"/>Replacing it loses what it holds.</source>
        <translation>%1 enthält kein Projekt, das gelesen werden konnte.<byte value="xd"/>Beim Ersetzen geht der Inhalt der Datei verloren.</translation>
    </message>
    <message>
        <source>%1 was changed by another program after it was read.<byte value="xd"/>Replacing it loses those changes.</source>
        <translation>%1 wurde von einem anderen Programm geändert, nachdem die Datei gelesen wurde.<byte value="xd"/>Beim Ersetzen gehen diese Änderungen verloren.</translation>
    </message>
    <message>
        <source>%1 has another name (a hard link).<byte value="xd"/>Saving gives %1 a file of its own, and the other name keeps the old text.</source>
        <translation>%1 hat einen weiteren Namen (einen harten Link).<byte value="xd"/>Beim Speichern erhält %1 eine eigene Datei, und der andere Name behält den alten Text.</translation>
    </message>
    <message>
        <source>No existing file, creating projects.txt</source>
        <translation>Keine Datei vorhanden, projects.txt wird angelegt</translation>
    </message>
    <message>
        <source>Not possible to Save Project Information<byte value="xd"/>Check for write protection</source>
        <translation>Die Projektinformationen können nicht gespeichert werden<byte value="xd"/>Bitte prüfen Sie den Schreibschutz</translation>
    </message>
    <message>
        <source>Please Select a Project to Delete</source>
        <translation>Bitte wählen Sie ein Projekt zum Löschen aus</translation>
    </message>
    <message>
        <source>Not possible to Add a Project<byte value="xd"/>The catalogue already holds 32767 projects</source>
        <translation>Es kann kein Projekt hinzugefügt werden<byte value="xd"/>Der Katalog enthält bereits 32767 Projekte</translation>
    </message>
    <message>
        <source>Pages Built</source>
        <translation>Seiten erstellt</translation>
    </message>
    <message>
        <source>The catalogue has changes that are not saved.<byte value="xd"/>Save them to projects.txt first?</source>
        <translation>Der Katalog enthält nicht gespeicherte Änderungen.<byte value="xd"/>Sollen sie zuerst in projects.txt gespeichert werden?</translation>
    </message>
    <message>
        <source>Not possible to Create Web Pages<byte value="xd"/>Check for write protection</source>
        <translation>Die Webseiten können nicht erstellt werden<byte value="xd"/>Bitte prüfen Sie den Schreibschutz</translation>
    </message>
    <message>
        <source>These files were not made into pictures:</source>
        <translation>Aus diesen Dateien wurden keine Bilder gemacht:</translation>
    </message>
    <message>
        <source>The file is unchanged until you press Save All.</source>
        <translation>Die Datei bleibt unverändert, bis Sie „Alle speichern“ drücken.</translation>
    </message>
    <message>
        <source>Not possible to read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 holds %2 more projects than the %3 that can be kept; only the first %3 were loaded.</source>
        <translation>%1 enthält %2 Projekte mehr als die %3, die ein Katalog fassen kann; nur die ersten %3 wurden geladen.</translation>
    </message>
    <message>
        <source>%1 holds no project that could be read.</source>
        <translation>%1 enthält kein Projekt, das gelesen werden konnte.</translation>
    </message>
</context>
<context>
    <name>PagesBuilt</name>
    <message>
        <source>Written there: %1, %2 and %3.</source>
        <translation>Dort wurden geschrieben: %1, %2 und %3.</translation>
    </message>
    <message>
        <source>No browser could be started to show %1.</source>
        <translation>Es konnte kein Browser gestartet werden, um %1 anzuzeigen.</translation>
    </message>
</context>
<context>
    <name>PictureFileDialog</name>
    <message>
        <source>Photos (%1);;All files (*)</source>
        <translation>Fotos (%1);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Add Pictures</source>
        <translation>Bilder hinzufügen</translation>
    </message>
    <message>
        <source>Replace Picture</source>
        <translation>Bild ersetzen</translation>
    </message>
</context>
<context>
    <name>PictureMaker</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>It is empty.</source>
        <translation>Die Datei ist leer.</translation>
    </message>
    <message>
        <source>It is larger than %1 MB.</source>
        <translation>Die Datei ist größer als %1 MB.</translation>
    </message>
    <message>
        <source>It is %1 × %2 pixels; pictures are made from photos of up to %3 pixels a side and %4 megapixels.</source>
        <translation>Das Foto hat %1 × %2 Pixel; Bilder werden aus Fotos mit höchstens %3 Pixeln Seitenlänge und %4 Megapixeln gemacht.</translation>
    </message>
    <message>
        <source>It is not a picture in a format this program reads.</source>
        <translation>Die Datei ist kein Bild in einem Format, das dieses Programm lesen kann.</translation>
    </message>
    <message>
        <source>It is damaged or incomplete (it ends too early).</source>
        <translation>Die Datei ist beschädigt oder unvollständig (sie endet zu früh).</translation>
    </message>
    <message>
        <source>It is damaged or incomplete (%1).</source>
        <translation>Die Datei ist beschädigt oder unvollständig (%1).</translation>
    </message>
    <message>
        <source>There is not enough memory to read it.</source>
        <translation>Zum Lesen ist nicht genug Speicher frei.</translation>
    </message>
    <message>
        <source>Its picture could not be made.</source>
        <translation>Das Bild konnte nicht erstellt werden.</translation>
    </message>
</context>
<context>
    <name>PictureMenu</name>
    <message>
        <source>&amp;Pictures</source>
        <translation>B&amp;ilder</translation>
    </message>
    <message>
        <source>&amp;Main Picture</source>
        <translation>Haupt&amp;bild</translation>
    </message>
    <message>
        <source>Picture &amp;%1</source>
        <translation>Bild &amp;%1</translation>
    </message>
    <message>
        <source>&amp;Add Pictures…</source>
        <translation>Bilder &amp;hinzufügen…</translation>
    </message>
    <message>
        <source>&amp;Replace Picture…</source>
        <translation>Bild &amp;ersetzen…</translation>
    </message>
    <message>
        <source>Remo&amp;ve Picture</source>
        <translation>Bild ent&amp;fernen</translation>
    </message>
    <message>
        <source>Move &amp;Earlier</source>
        <translation>Nach &amp;vorne verschieben</translation>
    </message>
    <message>
        <source>Move &amp;Later</source>
        <translation>Nach &amp;hinten verschieben</translation>
    </message>
    <message>
        <source>Make &amp;Main Picture</source>
        <translation>Zum Haupt&amp;bild machen</translation>
    </message>
    <message>
        <source>%1: only one file can replace picture %2.</source>
        <translation>%1: Nur eine Datei kann Bild %2 ersetzen.</translation>
    </message>
    <message>
        <source>Replace Picture</source>
        <translation>Bild ersetzen</translation>
    </message>
    <message>
        <source>Add Pictures</source>
        <translation>Bilder hinzufügen</translation>
    </message>
    <message>
        <source>Remove Picture</source>
        <translation>Bild entfernen</translation>
    </message>
    <message>
        <source>Move Picture</source>
        <translation>Bild verschieben</translation>
    </message>
    <message>
        <source>The pictures keep the name %1: %2</source>
        <translation>Die Bilder behalten den Namen %1: %2</translation>
    </message>
</context>
<context>
    <name>PictureRename</name>
    <message>
        <source>%1 differs from the picture %2 only in letter case; a file system that ignores case takes them for one file.</source>
        <translation>%1 unterscheidet sich vom Bild %2 nur in der Groß- und Kleinschreibung; ein Dateisystem, das diese nicht unterscheidet, hält beide für dieselbe Datei.</translation>
    </message>
    <message>
        <source>The pictures keep the name %1: </source>
        <translation>Die Bilder behalten den Namen %1: </translation>
    </message>
    <message>
        <source>%1 cannot be part of a file name.</source>
        <translation>%1 kann nicht Teil eines Dateinamens sein.</translation>
    </message>
    <message>
        <source>another project still carries it.</source>
        <translation>Ein anderes Projekt trägt ihn noch.</translation>
    </message>
    <message>
        <source>another project is named %1 too.</source>
        <translation>Ein anderes Projekt heißt ebenfalls %1.</translation>
    </message>
    <message>
        <source>%1 exists already.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
    <message>
        <source>pictures named %1 exist already.</source>
        <translation>Bilder mit dem Namen %1 existieren bereits.</translation>
    </message>
</context>
<context>
    <name>PictureStep</name>
    <message>
        <source>%1 is larger than a picture can be.</source>
        <translation>%1 ist größer, als ein Bild sein darf.</translation>
    </message>
    <message>
        <source>%1 was changed by another program.</source>
        <translation>%1 wurde von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>The name %1 cannot be part of a file name, so it cannot have pictures.</source>
        <translation>Der Name %1 kann nicht Teil eines Dateinamens sein und daher keine Bilder haben.</translation>
    </message>
    <message>
        <source>A project has at most %1 pictures.</source>
        <translation>Ein Projekt hat höchstens %1 Bilder.</translation>
    </message>
    <message>
        <source>There is no picture %1.</source>
        <translation>Es gibt kein Bild %1.</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>%1 is there now. %2</source>
        <translation>%1 ist jetzt vorhanden. %2</translation>
    </message>
    <message>
        <source>%1 was changed by another program. %2</source>
        <translation>%1 wurde von einem anderen Programm geändert. %2</translation>
    </message>
    <message>
        <source>These pictures could not be put back as they were: %1.</source>
        <translation>Diese Bilder konnten nicht in ihren vorherigen Zustand zurückversetzt werden: %1.</translation>
    </message>
</context>
<context>
    <name>PlainFile</name>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Es ist ein Ordner, keine Datei.</translation>
    </message>
</context>
<context>
    <name>PublishCommands</name>
    <message>
        <source>%1: there is no %2 in %3
</source>
        <translation>%1: In %3 gibt es keine Datei %2
</translation>
    </message>
    <message>
        <source>%1: %2 holds %3 projects, more than the %4 a catalogue can keep; no page was written.
</source>
        <translation>%1: %2 enthält %3 Projekte, mehr als die %4, die ein Katalog fassen kann; es wurde keine Seite geschrieben.
</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen…</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>Veröffentlichen</translation>
    </message>
    <message>
        <source>Publish the pages and their pictures to a folder, [user@]host:path or ssh://user@host:port/path:</source>
        <translation>Die Seiten und ihre Bilder in einem Ordner, unter [user@]host:path oder unter ssh://user@host:port/path veröffentlichen:</translation>
    </message>
    <message>
        <source>Publish anyway?</source>
        <translation>Trotzdem veröffentlichen?</translation>
    </message>
    <message>
        <source>Publish Anyway</source>
        <translation>Trotzdem veröffentlichen</translation>
    </message>
    <message>
        <source>Comparing with %1…</source>
        <translation>Vergleich mit %1…</translation>
    </message>
    <message>
        <source>new</source>
        <translation>neu</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>%1 files (%2) will be sent through %3, the pictures first and the pages last:</source>
        <translation>%1 Dateien (%2) werden über %3 gesendet, zuerst die Bilder und zuletzt die Seiten:</translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation>Wird gesendet…</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3 of %4
%5</source>
        <translation>%1 von %2 Dateien, %3 von %4
%5</translation>
    </message>
    <message>
        <source>No page links these %1 files on the destination any more. They were left there.</source>
        <translation>Auf diese %1 Dateien am Ziel verweist keine Seite mehr. Sie wurden dort belassen.</translation>
    </message>
    <message>
        <source>Delete These Files…</source>
        <translation>Diese Dateien löschen…</translation>
    </message>
    <message>
        <source>Delete %1 files from %2? They cannot be brought back.</source>
        <translation>%1 Dateien aus %2 löschen? Sie können nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Deleting…</source>
        <translation>Wird gelöscht…</translation>
    </message>
    <message>
        <source>%1 files were deleted from the destination.</source>
        <translation>%1 Dateien wurden am Ziel gelöscht.</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 is a link to a file that does not exist; it was left as it is.</source>
        <translation>%1 ist ein Link auf eine Datei, die nicht existiert; daran wurde nichts verändert.</translation>
    </message>
    <message>
        <source>%1 leads through too many links; it was left as it is.</source>
        <translation>%1 führt über zu viele Links; daran wurde nichts verändert.</translation>
    </message>
    <message>
        <source>%1 is a link owned by another user; it was left as it is.</source>
        <translation>%1 ist ein Link, der einem anderen Benutzer gehört; daran wurde nichts verändert.</translation>
    </message>
    <message>
        <source>%1 lies behind a link owned by another user, %2; it was left as it is.</source>
        <translation>%1 liegt hinter einem Link, der einem anderen Benutzer gehört (%2); daran wurde nichts verändert.</translation>
    </message>
    <message>
        <source>%1 changed while it was being saved; it was left as it is.</source>
        <translation>%1 hat sich während des Speicherns geändert; daran wurde nichts verändert.</translation>
    </message>
    <message>
        <source>%1 is a link to something that is not a plain file; it was left as it is.</source>
        <translation>%1 ist ein Link auf etwas, das keine gewöhnliche Datei ist; daran wurde nichts verändert.</translation>
    </message>
</context>
<context>
    <name>UnsavedJournal</name>
    <message>
        <source>The recovered edits do not fit this catalogue.<byte value="xd"/>They were not restored.</source>
        <translation>Die gefundenen Änderungen passen nicht zu diesem Katalog.<byte value="xd"/>Sie wurden nicht wiederhergestellt.</translation>
    </message>
    <message>
        <source>Unsaved edits of this catalogue from %1 were recovered, but projects.txt has changed since they were made.<byte value="xd"/>They cannot be restored.</source>
        <translation>Nicht gespeicherte Änderungen an diesem Katalog vom %1 wurden gefunden, aber projects.txt hat sich seitdem geändert.<byte value="xd"/>Sie können nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>1 edit</source>
        <translation>1 Änderung</translation>
    </message>
    <message>
        <source>%1 edits</source>
        <translation>%1 Änderungen</translation>
    </message>
    <message>
        <source>Unsaved edits of this catalogue from %1 were recovered (%2).<byte value="xd"/>Restore them?</source>
        <translation>Nicht gespeicherte Änderungen an diesem Katalog vom %1 wurden gefunden (%2).<byte value="xd"/>Sollen sie wiederhergestellt werden?</translation>
    </message>
</context>
<context>
    <name>WorkingFolder</name>
    <message>
        <source>It is not a folder that can be entered.</source>
        <translation>Es ist kein Ordner, der geöffnet werden kann.</translation>
    </message>
</context>
</TS>
