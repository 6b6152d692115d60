<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>main</name>
    <message>
        <source>A chess board for two players at one computer.</source>
        <translation>Ein Schachbrett für zwei Spieler an einem Computer.</translation>
    </message>
    <message>
        <source>Plays with a clock: CONTROL as the PGN TimeControl tag writes it (-, 300, 180+2, 40/5400+30:1800+30), 300d5 for a simple delay, 300b5 for Bronstein.</source>
        <translation>Spielt mit Uhr: CONTROL so, wie das PGN-Tag TimeControl es schreibt (-, 300, 180+2, 40/5400+30:1800+30), 300d5 für eine einfache Verzögerung, 300b5 für Bronstein.</translation>
    </message>
    <message>
        <source>A game (PGN) or a position (a FEN line) to open.</source>
        <translation>Eine Partie (PGN) oder eine Stellung (eine FEN-Zeile) zum Öffnen.</translation>
    </message>
    <message>
        <source>quorrin: bad --time-control &apos;%1&apos;: %2</source>
        <translation>quorrin: ungültige --time-control »%1«: %2</translation>
    </message>
</context>
<context>
    <name>quorrin</name>
    <message>
        <source>black king</source>
        <translation>schwarzer König</translation>
    </message>
    <message>
        <source>black queen</source>
        <translation>schwarze Dame</translation>
    </message>
    <message>
        <source>black rook</source>
        <translation>schwarzer Turm</translation>
    </message>
    <message>
        <source>black knight</source>
        <translation>schwarzer Springer</translation>
    </message>
    <message>
        <source>black bishop</source>
        <translation>schwarzer Läufer</translation>
    </message>
    <message>
        <source>black pawn</source>
        <translation>schwarzer Bauer</translation>
    </message>
    <message>
        <source>white king</source>
        <translation>weißer König</translation>
    </message>
    <message>
        <source>white queen</source>
        <translation>weiße Dame</translation>
    </message>
    <message>
        <source>white rook</source>
        <translation>weißer Turm</translation>
    </message>
    <message>
        <source>white knight</source>
        <translation>weißer Springer</translation>
    </message>
    <message>
        <source>white bishop</source>
        <translation>weißer Läufer</translation>
    </message>
    <message>
        <source>white pawn</source>
        <translation>weißer Bauer</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>a FEN has 6 fields (or 4, without the clocks) separated by spaces, not %1</source>
        <translation>eine FEN hat 6 durch Leerzeichen getrennte Felder (oder 4, ohne die Zähler), nicht %1</translation>
    </message>
    <message>
        <source>the board has more than 8 ranks</source>
        <translation>das Brett hat mehr als 8 Reihen</translation>
    </message>
    <message>
        <source>the board has %1 ranks instead of 8</source>
        <translation>das Brett hat %1 statt 8 Reihen</translation>
    </message>
    <message>
        <source>rank %1 has more than 8 squares</source>
        <translation>Reihe %1 hat mehr als 8 Felder</translation>
    </message>
    <message>
        <source>rank %1 has %2 squares instead of 8</source>
        <translation>Reihe %1 hat %2 statt 8 Felder</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither a piece letter (KQRBNP, kqrbnp) nor a count of empty squares</source>
        <translation>»%1« ist weder ein Figurenbuchstabe (KQRBNP, kqrbnp) noch eine Anzahl leerer Felder</translation>
    </message>
    <message>
        <source>the side to move must be w or b, not &apos;%1&apos;</source>
        <translation>die Seite am Zug muss w oder b sein, nicht »%1«</translation>
    </message>
    <message>
        <source>White has %1 kings; each side needs exactly one</source>
        <translation>Weiß hat %1 Könige; jede Seite braucht genau einen</translation>
    </message>
    <message>
        <source>Black has %1 kings; each side needs exactly one</source>
        <translation>Schwarz hat %1 Könige; jede Seite braucht genau einen</translation>
    </message>
    <message>
        <source>a pawn stands on %1; pawns cannot stand on rank 1 or 8</source>
        <translation>auf %1 steht ein Bauer; Bauern können nicht auf der 1. oder 8. Reihe stehen</translation>
    </message>
    <message>
        <source>the castling field &apos;%1&apos; must be &apos;-&apos; or letters of KQkq, each at most once</source>
        <translation>das Rochadefeld »%1« muss »-« sein oder aus Buchstaben von KQkq bestehen, jeder höchstens einmal</translation>
    </message>
    <message>
        <source>castling right %1 needs its king and rook on their home squares</source>
        <translation>das Rochaderecht %1 verlangt König und Turm auf ihren Ausgangsfeldern</translation>
    </message>
    <message>
        <source>the en passant field &apos;%1&apos; must be &apos;-&apos; or a square such as e3</source>
        <translation>das En-passant-Feld »%1« muss »-« oder ein Feld wie e3 sein</translation>
    </message>
    <message>
        <source>no double step of White could have left the en passant square %1</source>
        <translation>kein Doppelschritt von Weiß kann das En-passant-Feld %1 hinterlassen haben</translation>
    </message>
    <message>
        <source>no double step of Black could have left the en passant square %1</source>
        <translation>kein Doppelschritt von Schwarz kann das En-passant-Feld %1 hinterlassen haben</translation>
    </message>
    <message>
        <source>the halfmove clock must be a whole number from 0 to 99999, not &apos;%1&apos;</source>
        <translation>der Halbzugzähler muss eine ganze Zahl von 0 bis 99999 sein, nicht »%1«</translation>
    </message>
    <message>
        <source>the move number must be a whole number from 1 to 99999, not &apos;%1&apos;</source>
        <translation>die Zugnummer muss eine ganze Zahl von 1 bis 99999 sein, nicht »%1«</translation>
    </message>
    <message>
        <source>White is in check but it is not its move</source>
        <translation>Weiß steht im Schach, ist aber nicht am Zug</translation>
    </message>
    <message>
        <source>Black is in check but it is not its move</source>
        <translation>Schwarz steht im Schach, ist aber nicht am Zug</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a move</source>
        <translation>»%1« ist kein Zug</translation>
    </message>
    <message>
        <source>white cannot castle king-side now</source>
        <translation>Weiß kann jetzt nicht kurz rochieren</translation>
    </message>
    <message>
        <source>black cannot castle king-side now</source>
        <translation>Schwarz kann jetzt nicht kurz rochieren</translation>
    </message>
    <message>
        <source>white cannot castle queen-side now</source>
        <translation>Weiß kann jetzt nicht lang rochieren</translation>
    </message>
    <message>
        <source>black cannot castle queen-side now</source>
        <translation>Schwarz kann jetzt nicht lang rochieren</translation>
    </message>
    <message>
        <source>there is no piece on %1</source>
        <translation>auf %1 steht keine Figur</translation>
    </message>
    <message>
        <source>the %1 on %2 cannot move: it is white&apos;s turn</source>
        <translation>%1 auf %2 kann nicht ziehen: Weiß ist am Zug</translation>
    </message>
    <message>
        <source>the %1 on %2 cannot move: it is black&apos;s turn</source>
        <translation>%1 auf %2 kann nicht ziehen: Schwarz ist am Zug</translation>
    </message>
    <message>
        <source>there is no %1 on %2</source>
        <translation>%1 auf %2 gibt es nicht</translation>
    </message>
    <message>
        <source>the %1 on %2 cannot move to %3</source>
        <translation>%1 auf %2 kann nicht nach %3 ziehen</translation>
    </message>
    <message>
        <source>no %1 can move to %2</source>
        <translation>%1: kein Zug nach %2 möglich</translation>
    </message>
    <message>
        <source>ambiguous: a %1 on each of %2 can move to %3</source>
        <translation>mehrdeutig: %3 ist von %2 aus erreichbar (%1)</translation>
    </message>
    <message>
        <source>only a pawn reaching the last rank is promoted</source>
        <translation>nur ein Bauer, der die letzte Reihe erreicht, wird umgewandelt</translation>
    </message>
    <message>
        <source>a tag must read [Name &quot;value&quot;]</source>
        <translation>ein Tag muss [Name &quot;Wert&quot;] lauten</translation>
    </message>
    <message>
        <source>a comment that is never closed</source>
        <translation>ein Kommentar, der nie geschlossen wird</translation>
    </message>
    <message>
        <source>a variation that is never closed</source>
        <translation>eine Variante, die nie geschlossen wird</translation>
    </message>
    <message>
        <source>a variation closed that was never opened</source>
        <translation>eine Variante geschlossen, die nie geöffnet wurde</translation>
    </message>
    <message>
        <source>a string that is never closed</source>
        <translation>eine Zeichenkette, die nie geschlossen wird</translation>
    </message>
    <message>
        <source>unexpected &apos;%1&apos;</source>
        <translation>unerwartetes »%1«</translation>
    </message>
    <message>
        <source>the time control is unknown (&apos;?&apos;)</source>
        <translation>die Bedenkzeit ist unbekannt (»?«)</translation>
    </message>
    <message>
        <source>the time control ends too soon (column %1); it reads like 40/5400+30:1800+30</source>
        <translation>die Bedenkzeit endet zu früh (Spalte %1); sie lautet etwa 40/5400+30:1800+30</translation>
    </message>
    <message>
        <source>&apos;%1&apos; does not belong in a time control (column %2); it reads like 40/5400+30:1800+30</source>
        <translation>»%1« gehört nicht in eine Bedenkzeit (Spalte %2); sie lautet etwa 40/5400+30:1800+30</translation>
    </message>
    <message>
        <source>a stage&apos;s move count must be 1 to 1000, not %1 (column %2)</source>
        <translation>die Zugzahl eines Abschnitts muss 1 bis 1000 sein, nicht %1 (Spalte %2)</translation>
    </message>
    <message>
        <source>a base time must be 1 to 86400 seconds, not %1 (column %2)</source>
        <translation>eine Grundzeit muss 1 bis 86400 Sekunden betragen, nicht %1 (Spalte %2)</translation>
    </message>
    <message>
        <source>a bonus must be 0 to 3600 seconds, not %1 (column %2)</source>
        <translation>ein Zeitzuschlag muss 0 bis 3600 Sekunden betragen, nicht %1 (Spalte %2)</translation>
    </message>
    <message>
        <source>a time control has at most 3 stages, not %1</source>
        <translation>eine Bedenkzeit hat höchstens 3 Abschnitte, nicht %1</translation>
    </message>
    <message>
        <source>every stage but the last needs a move count, as in 40/5400 (column %1)</source>
        <translation>jeder Abschnitt außer dem letzten braucht eine Zugzahl, wie in 40/5400 (Spalte %1)</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>unlesbar</translation>
    </message>
    <message>
        <source>line %1, column %2: </source>
        <translation>Zeile %1, Spalte %2: </translation>
    </message>
    <message>
        <source>the FEN tag: </source>
        <translation>das FEN-Tag: </translation>
    </message>
    <message>
        <source>%1.%2: </source>
        <translation>%1.%2: </translation>
    </message>
    <message>
        <source>%1...%2: </source>
        <translation>%1...%2: </translation>
    </message>
    <message>
        <source>king</source>
        <translation>König</translation>
    </message>
    <message>
        <source>queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>rook</source>
        <translation>Turm</translation>
    </message>
    <message>
        <source>knight</source>
        <translation>Springer</translation>
    </message>
    <message>
        <source>bishop</source>
        <translation>Läufer</translation>
    </message>
    <message>
        <source>pawn</source>
        <translation>Bauer</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a square&apos;s name, the piece on it</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1, empty</source>
        <comment>a square&apos;s name</comment>
        <translation>%1, leer</translation>
    </message>
    <message>
        <source>%1, last move</source>
        <comment>a square&apos;s name and what stands on it</comment>
        <translation>%1, letzter Zug</translation>
    </message>
    <message>
        <source>%1, selected</source>
        <comment>a square&apos;s name and what stands on it</comment>
        <translation>%1, ausgewählt</translation>
    </message>
    <message>
        <source>Draw by insufficient material</source>
        <translation>Remis durch ungenügendes Material</translation>
    </message>
    <message>
        <source>Draw by fivefold repetition</source>
        <translation>Remis durch fünffache Stellungswiederholung</translation>
    </message>
    <message>
        <source>Draw by the seventy-five-move rule</source>
        <translation>Remis durch die 75-Züge-Regel</translation>
    </message>
    <message>
        <source>Draw by threefold repetition</source>
        <translation>Remis durch dreifache Stellungswiederholung</translation>
    </message>
    <message>
        <source>Draw by the fifty-move rule</source>
        <translation>Remis durch die 50-Züge-Regel</translation>
    </message>
    <message>
        <source>White: castles king side</source>
        <translation>Weiß: kurze Rochade</translation>
    </message>
    <message>
        <source>Black: castles king side</source>
        <translation>Schwarz: kurze Rochade</translation>
    </message>
    <message>
        <source>White: castles queen side</source>
        <translation>Weiß: lange Rochade</translation>
    </message>
    <message>
        <source>Black: castles queen side</source>
        <translation>Schwarz: lange Rochade</translation>
    </message>
    <message>
        <source>White: %1 %2 takes pawn en passant on %3</source>
        <comment>the piece moved, its square, the square it lands on</comment>
        <translation>Weiß: %1 %2 schlägt Bauer en passant auf %3</translation>
    </message>
    <message>
        <source>Black: %1 %2 takes pawn en passant on %3</source>
        <comment>the piece moved, its square, the square it lands on</comment>
        <translation>Schwarz: %1 %2 schlägt Bauer en passant auf %3</translation>
    </message>
    <message>
        <source>White: %1 %2 takes %3 on %4</source>
        <comment>the piece moved, its square, the piece taken, its square</comment>
        <translation>Weiß: %1 %2 schlägt %3 auf %4</translation>
    </message>
    <message>
        <source>Black: %1 %2 takes %3 on %4</source>
        <comment>the piece moved, its square, the piece taken, its square</comment>
        <translation>Schwarz: %1 %2 schlägt %3 auf %4</translation>
    </message>
    <message>
        <source>White: %1 %2 to %3</source>
        <comment>the piece moved, from, to</comment>
        <translation>Weiß: %1 %2 nach %3</translation>
    </message>
    <message>
        <source>Black: %1 %2 to %3</source>
        <comment>the piece moved, from, to</comment>
        <translation>Schwarz: %1 %2 nach %3</translation>
    </message>
    <message>
        <source>%1, becomes %2</source>
        <comment>the move, the piece the pawn becomes</comment>
        <translation>%1, wird %2</translation>
    </message>
    <message>
        <source>%1, checkmate</source>
        <comment>the move</comment>
        <translation>%1, matt</translation>
    </message>
    <message>
        <source>%1, check</source>
        <comment>the move</comment>
        <translation>%1, Schach</translation>
    </message>
    <message>
        <source>%1, stalemate</source>
        <comment>the move</comment>
        <translation>%1, Patt</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <comment>the move, the draw it makes</comment>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>White&apos;s move taken back</source>
        <translation>Zug von Weiß zurückgenommen</translation>
    </message>
    <message>
        <source>Black&apos;s move taken back</source>
        <translation>Zug von Schwarz zurückgenommen</translation>
    </message>
    <message>
        <source>New game, White to move</source>
        <translation>Neue Partie, Weiß am Zug</translation>
    </message>
    <message>
        <source>New game, Black to move</source>
        <translation>Neue Partie, Schwarz am Zug</translation>
    </message>
    <message>
        <source>%1 to %2 is not a legal move</source>
        <comment>two squares&apos; names</comment>
        <translation>%1 nach %2 ist kein erlaubter Zug</translation>
    </message>
    <message>
        <source>rank %1 has the digits &apos;%2&apos; side by side; one digit counts a run of empty squares</source>
        <translation>Reihe %1 hat die Ziffern »%2« nebeneinander; eine Ziffer zählt eine Folge leerer Felder</translation>
    </message>
    <message>
        <source>White has %1 pawns; a side has at most 8</source>
        <translation>Weiß hat %1 Bauern; eine Seite hat höchstens 8</translation>
    </message>
    <message>
        <source>Black has %1 pawns; a side has at most 8</source>
        <translation>Schwarz hat %1 Bauern; eine Seite hat höchstens 8</translation>
    </message>
    <message>
        <source>White has %1 pieces beyond its starting set, but only %2 pawns missing to have been promoted</source>
        <translation>Weiß hat %1 Figuren mehr als zu Beginn, aber es fehlen nur %2 Bauern, die umgewandelt worden sein könnten</translation>
    </message>
    <message>
        <source>Black has %1 pieces beyond its starting set, but only %2 pawns missing to have been promoted</source>
        <translation>Schwarz hat %1 Figuren mehr als zu Beginn, aber es fehlen nur %2 Bauern, die umgewandelt worden sein könnten</translation>
    </message>
    <message>
        <source>no single move could have given the white king the checks from %1</source>
        <translation>kein einzelner Zug kann dem weißen König die Schachgebote von %1 gegeben haben</translation>
    </message>
    <message>
        <source>no single move could have given the black king the checks from %1</source>
        <translation>kein einzelner Zug kann dem schwarzen König die Schachgebote von %1 gegeben haben</translation>
    </message>
    <message>
        <source>the game was already over by checkmate</source>
        <translation>die Partie war bereits durch Matt beendet</translation>
    </message>
    <message>
        <source>the game was already over by stalemate</source>
        <translation>die Partie war bereits durch Patt beendet</translation>
    </message>
    <message>
        <source>the Result tag &apos;%1&apos; disagrees with the result the moves end with, &apos;%2&apos;</source>
        <translation>das Result-Tag »%1« widerspricht dem Ergebnis, mit dem die Züge enden, »%2«</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is marked as check but gives none</source>
        <translation>»%1« ist als Schach markiert, gibt aber keines</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is marked as checkmate but does not mate</source>
        <translation>»%1« ist als Matt markiert, setzt aber nicht matt</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is marked as a capture but %2 is empty</source>
        <translation>»%1« ist als Schlagzug markiert, aber %2 ist leer</translation>
    </message>
</context>
<context>
    <name>quorrin::BoardAccessible</name>
    <message>
        <source>file %1</source>
        <translation>Linie %1</translation>
    </message>
    <message>
        <source>rank %1</source>
        <translation>Reihe %1</translation>
    </message>
    <message>
        <source>Chess board</source>
        <translation>Schachbrett</translation>
    </message>
</context>
<context>
    <name>quorrin::ClockFace</name>
    <message>
        <source>White&apos;s clock</source>
        <translation>Uhr von Weiß</translation>
    </message>
    <message>
        <source>Black&apos;s clock</source>
        <translation>Uhr von Schwarz</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
</context>
<context>
    <name>quorrin::GAME</name>
    <message>
        <source>White&apos;s moves</source>
        <translation>Züge von Weiß</translation>
    </message>
    <message>
        <source>Black&apos;s moves</source>
        <translation>Züge von Schwarz</translation>
    </message>
    <message>
        <source>Move Piece</source>
        <translation>Figur ziehen</translation>
    </message>
    <message>
        <source>Test Stalemate</source>
        <translation>Patt testen</translation>
    </message>
    <message>
        <source>Game</source>
        <extracomment>The menu of the game being played (noun).</extracomment>
        <translation>&amp;Partie</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>&amp;Neue Partie</translation>
    </message>
    <message>
        <source>Board</source>
        <extracomment>The chess board&apos;s menu (noun).</extracomment>
        <translation>&amp;Brett</translation>
    </message>
    <message>
        <source>Reverse Board</source>
        <translation>Brett &amp;drehen</translation>
    </message>
    <message>
        <source>Drag-and-Drop</source>
        <translation>&amp;Ziehen mit der Maus</translation>
    </message>
    <message>
        <source>Highlight Move</source>
        <translation>&amp;Letzten Zug hervorheben</translation>
    </message>
    <message>
        <source>Turn Board After Each Move</source>
        <translation>Brett nach jedem Zug &amp;umdrehen</translation>
    </message>
    <message>
        <source>Coordinates</source>
        <translation>&amp;Koordinaten</translation>
    </message>
    <message>
        <source>Show Legal Moves</source>
        <translation>Erlaubte Züge &amp;anzeigen</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>&amp;Aktionen</translation>
    </message>
    <message>
        <source>Undo Last Move</source>
        <translation>Letzten Zug &amp;zurücknehmen</translation>
    </message>
    <message>
        <source>Claim Draw</source>
        <translation>&amp;Remis beanspruchen</translation>
    </message>
    <message>
        <source>Players...</source>
        <translation>&amp;Spieler...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Reclaim Piece</source>
        <translation>Umwandeln in</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>&amp;Dame</translation>
    </message>
    <message>
        <source>Rook</source>
        <translation>&amp;Turm</translation>
    </message>
    <message>
        <source>Bishop</source>
        <translation>&amp;Läufer</translation>
    </message>
    <message>
        <source>Knight</source>
        <translation>&amp;Springer</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>About Quorrin</source>
        <translation>Über &amp;Quorrin</translation>
    </message>
    <message>
        <source>Illegal move or bad syntax</source>
        <translation>Unzulässiger Zug oder falsche Schreibweise</translation>
    </message>
    <message>
        <source>White checkmated</source>
        <translation>Weiß ist matt</translation>
    </message>
    <message>
        <source>Black checkmated</source>
        <translation>Schwarz ist matt</translation>
    </message>
    <message>
        <source>White king in check</source>
        <translation>Der weiße König steht im Schach</translation>
    </message>
    <message>
        <source>Black king in check</source>
        <translation>Der schwarze König steht im Schach</translation>
    </message>
    <message>
        <source>Stalemate</source>
        <translation>Patt</translation>
    </message>
    <message>
        <source>Games are not being kept: %1</source>
        <translation>Partien werden nicht aufbewahrt: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n moves</source>
        <translation>
            <numerusform>%n Zug</numerusform>
            <numerusform>%n Züge</numerusform>
        </translation>
    </message>
    <message>
        <source>Recent Games</source>
        <translation>Letzte Partien</translation>
    </message>
    <message>
        <source>The game in progress when Quorrin last stopped has been brought back.</source>
        <translation>Die Partie, die beim letzten Ende von Quorrin lief, wurde wiederhergestellt.</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>The clock is paused</source>
        <translation>Die Uhr ist angehalten</translation>
    </message>
    <message>
        <source>Resign</source>
        <translation>&amp;Aufgeben</translation>
    </message>
    <message>
        <source>Agree Draw</source>
        <translation>Remis &amp;vereinbaren</translation>
    </message>
    <message>
        <source>Pause Clock</source>
        <translation>Uhr an&amp;halten</translation>
    </message>
    <message>
        <source>Time Control...</source>
        <translation>Bedenk&amp;zeit...</translation>
    </message>
    <message>
        <source>The clock is paused.</source>
        <translation>Die Uhr ist angehalten.</translation>
    </message>
    <message>
        <source>White&apos;s time is up, but Black cannot checkmate. Draw.</source>
        <translation>Die Zeit von Weiß ist abgelaufen, aber Schwarz kann nicht mehr mattsetzen. Remis.</translation>
    </message>
    <message>
        <source>White&apos;s time is up. Black wins.</source>
        <translation>Die Zeit von Weiß ist abgelaufen. Schwarz gewinnt.</translation>
    </message>
    <message>
        <source>Black&apos;s time is up, but White cannot checkmate. Draw.</source>
        <translation>Die Zeit von Schwarz ist abgelaufen, aber Weiß kann nicht mehr mattsetzen. Remis.</translation>
    </message>
    <message>
        <source>Black&apos;s time is up. White wins.</source>
        <translation>Die Zeit von Schwarz ist abgelaufen. Weiß gewinnt.</translation>
    </message>
    <message>
        <source>White resigns. Black wins.</source>
        <translation>Weiß gibt auf. Schwarz gewinnt.</translation>
    </message>
    <message>
        <source>Black resigns. White wins.</source>
        <translation>Schwarz gibt auf. Weiß gewinnt.</translation>
    </message>
    <message>
        <source>Draw agreed.</source>
        <translation>Remis vereinbart.</translation>
    </message>
    <message>
        <source>The game is over.</source>
        <translation>Die Partie ist beendet.</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>&amp;White:</source>
        <translation>&amp;Weiß:</translation>
    </message>
    <message>
        <source>&amp;Black:</source>
        <translation>&amp;Schwarz:</translation>
    </message>
    <message>
        <source>PGN games (*.pgn);;All files (*)</source>
        <translation>PGN-Partien (*.pgn);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Record</source>
        <extracomment>The menu of the game&apos;s written record (noun): opening, saving, copying and pasting games.</extracomment>
        <translation>&amp;Notation</translation>
    </message>
    <message>
        <source>Open Game...</source>
        <translation>Partie ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Recent Games...</source>
        <translation>&amp;Letzte Partien...</translation>
    </message>
    <message>
        <source>Save Game As...</source>
        <translation>Partie speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Copy Game</source>
        <translation>Partie &amp;kopieren</translation>
    </message>
    <message>
        <source>Copy Position</source>
        <translation>Stellu&amp;ng kopieren</translation>
    </message>
    <message>
        <source>Paste Game or Position</source>
        <translation>Partie oder Stellung &amp;einfügen</translation>
    </message>
    <message>
        <source>Enter Move...</source>
        <translation>Zug ein&amp;geben...</translation>
    </message>
    <message>
        <source>Open Game</source>
        <translation>Partie öffnen</translation>
    </message>
    <message>
        <source>Save Game As</source>
        <translation>Partie speichern unter</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>%1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Enter Move</source>
        <translation>Zug eingeben</translation>
    </message>
    <message>
        <source>Move (Nf3, e2e4):</source>
        <extracomment>The moves given as examples are typed as shown, in English letters.</extracomment>
        <translation>Zug (Nf3, e2e4):</translation>
    </message>
    <message>
        <source>Not a position to play from: %1</source>
        <translation>Keine spielbare Stellung: %1</translation>
    </message>
    <message>
        <source>Not a game: %1</source>
        <translation>Keine Partie: %1</translation>
    </message>
    <message>
        <source>no moves or tags found</source>
        <translation>keine Züge oder Tags gefunden</translation>
    </message>
    <message>
        <source>Cannot load the game: %1</source>
        <translation>Die Partie kann nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>Redo Move</source>
        <translation>Zug &amp;wiederholen</translation>
    </message>
    <message>
        <source>Review</source>
        <translation>&amp;Nachspielen</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>To Start</source>
        <translation>Zum &amp;Anfang</translation>
    </message>
    <message>
        <source>To End</source>
        <translation>Zum &amp;Ende</translation>
    </message>
    <message>
        <source>Continue from Here</source>
        <translation>Von hier &amp;weiterspielen</translation>
    </message>
    <message>
        <source>An earlier position is shown</source>
        <translation>Eine frühere Stellung wird gezeigt</translation>
    </message>
    <message>
        <source>%1 - at the start</source>
        <translation>%1 - Ausgangsstellung</translation>
    </message>
    <message>
        <source>%1 - after %2</source>
        <translation>%1 - nach %2</translation>
    </message>
    <message>
        <source>Save Game</source>
        <translation>Partie &amp;speichern</translation>
    </message>
    <message>
        <source>Cannot save the game: %1 is not a regular file</source>
        <translation>Die Partie kann nicht gespeichert werden: %1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Illegal move or bad syntax
%1</source>
        <translation>Unzulässiger Zug oder falsche Schreibweise
%1</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>The text pasted is too large for a game</source>
        <translation>Der eingefügte Text ist zu groß für eine Partie</translation>
    </message>
    <message>
        <source>Paste Game</source>
        <translation>Partie einfügen</translation>
    </message>
    <message>
        <source>Reading the games...</source>
        <translation>Die Partien werden gelesen...</translation>
    </message>
    <message>
        <source>The game was loaded, but its text is doubtful:
%1</source>
        <translation>Die Partie wurde geladen, aber ihr Text ist zweifelhaft:
%1</translation>
    </message>
    <message>
        <source>Game %1 cannot be read: %2</source>
        <translation>Partie %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>%1 is too large for a game file</source>
        <translation>%1 ist zu groß für eine Partiedatei</translation>
    </message>
    <message>
        <source>it is not a regular file but a device or a pipe</source>
        <translation>es ist keine gewöhnliche Datei, sondern ein Gerät oder eine Pipe</translation>
    </message>
</context>
<context>
    <name>quorrin::GameArchive</name>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 is held by another program</source>
        <translation>%1 wird von einem anderen Programm benutzt</translation>
    </message>
    <message>
        <source>%1 cannot be locked</source>
        <translation>%1 kann nicht gesperrt werden</translation>
    </message>
</context>
<context>
    <name>quorrin::TimeControlDialog</name>
    <message>
        <source>Untimed</source>
        <translation>Ohne Uhr</translation>
    </message>
    <message>
        <source>Time Control</source>
        <translation>Bedenkzeit</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>Black&apos;s time differs (handicap)</source>
        <translation>Schwarz hat eine andere Bedenkzeit (Vorgabe)</translation>
    </message>
    <message>
        <source>Seconds, as game files write it: 300 (5 minutes), 180+2 (3 minutes, 2 seconds added a move), 300d5 (5 s delay), 300b5 (Bronstein delay), 40/5400+30:1800+30 (stages), - (untimed).</source>
        <translation>Sekunden, wie Partiedateien sie schreiben: 300 (5 Minuten), 180+2 (3 Minuten, 2 Sekunden Zuschlag je Zug), 300d5 (5 s Verzögerung), 300b5 (Bronstein-Verzögerung), 40/5400+30:1800+30 (Abschnitte), - (ohne Uhr).</translation>
    </message>
    <message>
        <source>&amp;Preset:</source>
        <translation>&amp;Vorlage:</translation>
    </message>
    <message>
        <source>&amp;White:</source>
        <translation>&amp;Weiß:</translation>
    </message>
    <message>
        <source>&amp;Black:</source>
        <translation>&amp;Schwarz:</translation>
    </message>
    <message>
        <source>White: %1</source>
        <translation>Weiß: %1</translation>
    </message>
    <message>
        <source>Black: %1</source>
        <translation>Schwarz: %1</translation>
    </message>
</context>
<context>
    <name>quorrin::brdChessboard</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Quorrin chess board
Version %1</source>
        <translation>Quorrin-Schachbrett
Version %1</translation>
    </message>
    <message>
        <source>Back to the game</source>
        <translation>Zurück zur Partie</translation>
    </message>
    <message>
        <source>Showing the start position</source>
        <translation>Die Ausgangsstellung wird gezeigt</translation>
    </message>
    <message>
        <source>Showing the position after %1</source>
        <translation>Die Stellung nach %1 wird gezeigt</translation>
    </message>
    <message>
        <source>An earlier position is shown</source>
        <translation>Eine frühere Stellung wird gezeigt</translation>
    </message>
</context>
<context>
    <name>quorrin::frmAbout</name>
    <message>
        <source>About Quorrin</source>
        <translation>Über Quorrin</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Have questions?  Need technical support? </source>
        <translation>Fragen?  Technische Hilfe nötig? </translation>
    </message>
    <message>
        <source>Contact us</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>Email us!</source>
        <translation>Schreiben Sie uns!</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. This program is protected by copyright law; copying or passing it on without the maker&apos;s permission is not allowed.</source>
        <translation>Copyright © 2026 %1. Dieses Programm ist urheberrechtlich geschützt; es ohne Erlaubnis des Herstellers zu kopieren oder weiterzugeben ist nicht gestattet.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
