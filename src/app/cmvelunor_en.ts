<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>std</name>
    <message>
        <source>Der Spickzettel enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen kann: %1. Bitte ersetzen oder entfernen Sie diese Zeichen.</source>
        <translation>The cheat sheet contains characters that the Windows-1252 character set cannot represent: %1. Please replace or remove these characters.</translation>
    </message>
    <message>
        <source>Das Schlüsselwort</source>
        <translation>The keyword</translation>
    </message>
    <message>
        <source>Der Text</source>
        <translation>The text</translation>
    </message>
    <message>
        <source>%1 enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen kann: %2. Bitte ersetzen oder entfernen Sie diese Zeichen.</source>
        <translation>%1 contains characters that the Windows-1252 character set cannot represent: %2. Please replace or remove these characters.</translation>
    </message>
    <message>
        <source>Der Text, der beim letzten Programmende in der Datei %1 erhalten blieb, ist länger, als ein Spickzettel fassen kann (1 MiB). Bitte übernehmen Sie ihn mit einem Texteditor und löschen Sie danach die Datei.</source>
        <translation>The text kept in the file %1 when the program last ended is longer than a cheat sheet can hold (1 MiB). Please take it over with a text editor, then delete the file.</translation>
    </message>
    <message>
        <source>%1 (%2).
Die E-Mail ist unverändert; das Ergebnis steht in der Zwischenablage</source>
        <translation>%1 (%2).
The e-mail is unchanged; the result is on the clipboard</translation>
    </message>
</context>
<context>
    <name>velunor::Application</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Das Programm %1 läuft bereits.</source>
        <translation>The program %1 is already running.</translation>
    </message>
    <message>
        <source>cmvelunor braucht eine grafische Oberfläche, hier ist keine erreichbar; ohne sie ver- und entschlüsselt das Befehlszeilenprogramm velunor (velunor --help).
</source>
        <translation>cmvelunor needs a graphical desktop, and none can be reached here; without one, the command line program velunor encrypts and decrypts (velunor --help).
</translation>
    </message>
    <message>
        <source>cmvelunor braucht auf dieser Wayland-Oberfläche das Paket qt6-wayland, es ist nicht installiert; ohne es ver- und entschlüsselt das Befehlszeilenprogramm velunor (velunor --help).
</source>
        <translation>cmvelunor needs the package qt6-wayland on this Wayland desktop, and it is not installed; without it, the command line program velunor encrypts and decrypts (velunor --help).
</translation>
    </message>
</context>
<context>
    <name>velunor::CodePageText</name>
    <message>
        <source>„%1“ (U+%2)</source>
        <translation>“%1” (U+%2)</translation>
    </message>
    <message>
        <source> und %1 weitere</source>
        <translation> and %1 more</translation>
    </message>
</context>
<context>
    <name>velunor::HandOffFile</name>
    <message>
        <source>%1 (%2).
Die E-Mail ist unverändert; das Ergebnis steht in der Zwischenablage</source>
        <translation>%1 (%2).
The e-mail is unchanged; the result is on the clipboard</translation>
    </message>
</context>
<context>
    <name>velunor::TFormAskKeyword</name>
    <message>
        <source>CMVelunor - Schlüsselwort</source>
        <translation>CMVelunor - Keyword</translation>
    </message>
</context>
<context>
    <name>velunor::TFormSpicker</name>
    <message>
        <source>Spickzettel für Schlüsselwörter</source>
        <translation>Cheat sheet for keywords</translation>
    </message>
    <message>
        <source>Änderungen im Spickzettel werden immer automatisch gespeichert</source>
        <translation>Changes to the cheat sheet are always saved automatically</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Der Spickzettel enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen kann: %1. Bitte ersetzen oder entfernen Sie diese Zeichen.</source>
        <translation>The cheat sheet contains characters that the Windows-1252 character set cannot represent: %1. Please replace or remove these characters.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Beim letzten Programmende konnte der Spickzettel nicht gespeichert werden. Sein Text ist in der Datei %1 erhalten geblieben; der Spickzettel zeigt ihn beim nächsten Öffnen.</source>
        <translation>When the program last ended, the cheat sheet could not be saved. Its text has been kept in the file %1; the cheat sheet shows it the next time it opens.</translation>
    </message>
    <message>
        <source>Der Text, der beim letzten Programmende in der Datei %1 erhalten blieb, ist länger, als ein Spickzettel fassen kann (1 MiB). Bitte übernehmen Sie ihn mit einem Texteditor und löschen Sie danach die Datei.</source>
        <translation>The text kept in the file %1 when the program last ended is longer than a cheat sheet can hold (1 MiB). Please take it over with a text editor, then delete the file.</translation>
    </message>
</context>
<context>
    <name>velunor::TFormVelunor</name>
    <message>
        <source>Vermutlich falsches Schlüsselwort!</source>
        <translation>Probably the wrong keyword!</translation>
    </message>
    <message>
        <source>Mit einem falschen Schlüsselwort wird die E-Mail unbrauchbar.
Geben Sie bitte ggfs. ein anderes Schlüsselwort ein!</source>
        <translation>A wrong keyword makes the e-mail unusable.
Please enter a different keyword if necessary!</translation>
    </message>
    <message>
        <source>%1 enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen kann: %2. Bitte ersetzen oder entfernen Sie diese Zeichen.</source>
        <translation>%1 contains characters that the Windows-1252 character set cannot represent: %2. Please replace or remove these characters.</translation>
    </message>
    <message>
        <source>CMVelunor - Text ent-/verschlüsseln</source>
        <translation>CMVelunor - Encrypt/decrypt text</translation>
    </message>
    <message>
        <source>Spickzettel anzeigen</source>
        <translation>Show the cheat sheet</translation>
    </message>
    <message>
        <source>Text aus der Zwischenablage einfügen</source>
        <translation>Paste the text from the clipboard</translation>
    </message>
    <message>
        <source>Schlüsselwort: </source>
        <translation>Keyword: </translation>
    </message>
    <message>
        <source>Achtung: Zwischen Groß- und Kleinschreibung wird unterschieden!!!</source>
        <translation>Note: upper and lower case letters are different!!!</translation>
    </message>
    <message>
        <source>Das Schlüsselwort muß zwischen 3 und 70 Zeichen lang sein</source>
        <translation>The keyword must be between 3 and 70 characters long</translation>
    </message>
    <message>
        <source>Rijndael 256bit Key</source>
        <translation>Rijndael 256bit Key</translation>
    </message>
    <message>
        <source>Funktioniert aber nur, wenn das Schlüsselwort gültig ist!</source>
        <translation>But this only works when the keyword is valid!</translation>
    </message>
    <message>
        <source>1. Der zu ent-/verschlüsselnde Text muß aus der Zwischenablage eingefügt werden: </source>
        <translation>1. The text to encrypt or decrypt must be pasted from the clipboard: </translation>
    </message>
    <message>
        <source>Eingefügt wurde dieser Text: </source>
        <translation>This text was pasted: </translation>
    </message>
    <message>
        <source>2. Der eingefügte Text muß jetzt entweder mit [Verschlüsseln] oder [Entschlüsseln] geändert werden.</source>
        <translation>2. Now change the pasted text with either [Encrypt] or [Decrypt].</translation>
    </message>
    <message>
        <source>Der geänderte Text: </source>
        <translation>The changed text: </translation>
    </message>
    <message>
        <source>3. Der geänderte Text kann mit [OK] in die Zwischenablage kopiert werden.</source>
        <translation>3. [OK] copies the changed text to the clipboard.</translation>
    </message>
    <message>
        <source>Verschlüsseln</source>
        <translation>Encrypt</translation>
    </message>
    <message>
        <source>Entschlüsseln</source>
        <translation>Decrypt</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Das Schlüsselwort</source>
        <translation>The keyword</translation>
    </message>
    <message>
        <source>Der Text</source>
        <translation>The text</translation>
    </message>
</context>
<context>
    <name>velunor::WindowMessages</name>
    <message>
        <source>Stream-Write-Fehler</source>
        <translation>Stream write error</translation>
    </message>
    <message>
        <source>Stream-Read-Fehler</source>
        <translation>Stream read error</translation>
    </message>
    <message>
        <source>Das Speichern des Streams ist mißlungen</source>
        <translation>Saving the stream failed</translation>
    </message>
    <message>
        <source>Text überschreitet Memo-Kapazität</source>
        <translation>Text exceeds memo capacity</translation>
    </message>
    <message>
        <source>kein Speicherplatz mehr auf dem Datenträger</source>
        <translation>no space left on the device</translation>
    </message>
    <message>
        <source>das Speicherkontingent ist erschöpft</source>
        <translation>the disk quota is exhausted</translation>
    </message>
    <message>
        <source>die Datei würde zu groß</source>
        <translation>the file would become too large</translation>
    </message>
    <message>
        <source>Zugriff verweigert</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>der Datenträger ist schreibgeschützt</source>
        <translation>the device is write-protected</translation>
    </message>
    <message>
        <source>Datei oder Verzeichnis nicht gefunden</source>
        <translation>file or directory not found</translation>
    </message>
    <message>
        <source>ein Teil des Pfades ist kein Verzeichnis</source>
        <translation>a part of the path is not a directory</translation>
    </message>
    <message>
        <source>das ist ein Verzeichnis</source>
        <translation>that is a directory</translation>
    </message>
    <message>
        <source>Ein-/Ausgabefehler des Datenträgers</source>
        <translation>input/output error of the device</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht erstellt werden</source>
        <translation>Cannot create file %1</translation>
    </message>
</context>
<context>
    <name>velunor::WindowModes</name>
    <message>
        <source>Aufruf: cmvelunor [DATEI]
        cmvelunor --filter [--wrap N]
        cmvelunor --edit DATEI [--wrap N]
        cmvelunor --ask-keyword [TEXT]
--filter: Text von der Standardeingabe, Ergebnis auf die Standardausgabe.
--edit: Text aus DATEI, Ergebnis ersetzt DATEI (externer Editor eines E-Mail-Programms).
--wrap N: verschlüsselter Text in Zeilen zu N Zeichen (Vorgabe 76, 0: eine Zeile).
--ask-keyword: fragt nach einem Schlüsselwort und gibt es aus.
Abbrechen endet mit Status 1, Fehler im Aufruf mit 2.</source>
        <translation>Usage: cmvelunor [FILE]
        cmvelunor --filter [--wrap N]
        cmvelunor --edit FILE [--wrap N]
        cmvelunor --ask-keyword [TEXT]
--filter: text from standard input, result to standard output.
--edit: text from FILE, the result replaces FILE (a mail program&apos;s external editor).
--wrap N: the cipher text in lines of N characters (default 76, 0: one line).
--ask-keyword: asks for a keyword and prints it.
Cancel ends with status 1, a fault in the arguments with 2.</translation>
    </message>
    <message>
        <source>unbekannte Option %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>--edit braucht eine Datei</source>
        <translation>--edit needs a file</translation>
    </message>
    <message>
        <source>--wrap braucht eine Zahl von 0 bis 998, nicht &quot;%1&quot;</source>
        <translation>--wrap needs a number from 0 to 998, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>überzähliges Argument %1</source>
        <translation>surplus argument %1</translation>
    </message>
    <message>
        <source>Die Standardausgabe nimmt das Ergebnis nicht an (%1)</source>
        <translation>Standard output does not take the result (%1)</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht gespeichert werden (%2)</source>
        <translation>File %1 cannot be saved (%2)</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht gelesen werden (%2)</source>
        <translation>File %1 cannot be read (%2)</translation>
    </message>
</context>
<context>
    <name>velunor::win32</name>
    <message>
        <source>Das Programm %1 läuft bereits.</source>
        <translation>The program %1 is already running.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Mit einem falschen Schlüsselwort wird die E-Mail unbrauchbar.
Geben Sie bitte ggfs. ein anderes Schlüsselwort ein!</source>
        <translation>A wrong keyword makes the e-mail unusable.
Please enter a different keyword if necessary!</translation>
    </message>
    <message>
        <source>Vermutlich falsches Schlüsselwort!</source>
        <translation>Probably the wrong keyword!</translation>
    </message>
    <message>
        <source>Das Fenster kann nicht erstellt werden</source>
        <translation>The window cannot be created</translation>
    </message>
</context>
<context>
    <name>velunor::win32::TFormSpicker</name>
    <message>
        <source>Spickzettel für Schlüsselwörter</source>
        <translation>Cheat sheet for keywords</translation>
    </message>
    <message>
        <source>Änderungen im Spickzettel werden immer automatisch gespeichert</source>
        <translation>Changes to the cheat sheet are always saved automatically</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>velunor::win32::TFormVelunor</name>
    <message>
        <source>CMVelunor - Text ent-/verschlüsseln</source>
        <translation>CMVelunor - Encrypt/decrypt text</translation>
    </message>
</context>
<context>
    <name>velunor::win32::TFormVelunor::TFrontEnd</name>
    <message>
        <source>Die Zwischenablage kann nicht gefüllt werden</source>
        <translation>The clipboard cannot be filled</translation>
    </message>
</context>
</TS>
