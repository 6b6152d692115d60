# The records fuzzer's big seeds, written afresh into OUT for each run (cmake -DOUT=<folder> -P):
# a long game, many games, and deep nesting of variations and comments. Each input's first line
# is the FEN line ("-" reads as none), the rest the PGN.

# 2000 plies without a capture or a pawn move: every position may repeat.
string(REPEAT "Nf3 Nf6 Ng1 Ng8 " 500 shuffle)
file(WRITE ${OUT}/long-game.txt "-\n[Event \"long\"]\n\n${shuffle}*\n")

# 100 short games, one of them unfinished and one with a result that disagrees.
string(REPEAT "[Event \"e\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Nf3+ Nc6 1-0\n\n" 99 games)
file(WRITE ${OUT}/many-games.txt "-\n${games}[Result \"0-1\"]\n1. d4 d5 1-0\n1. c4\n")

# Variations 1000 deep, and as many comments, braces and semicolons inside them.
string(REPEAT "(1. d4 {a {b} " 1000 open)
string(REPEAT ") ; c\n" 1000 close)
file(WRITE ${OUT}/deep-nesting.txt "-\n1. e4 ${open}${close} e5 *\n")
