10 A$="ABC":MID$(A$,2,1)="Z":PRINT A$;INSTR(A$,"C");KINSTR("漢字","字")
20 PRINT HEX$(255);OCT$(8);CHR$(65);ASC("A");STRING$(3,"*");SPACE$(2);VAL("&H10")
30 PRINT CVI(MKI$(-2));CVD(MKD$(1.5));AKCNV$("ｱ1");KACNV$("ア１");JIS$("亜");KNJ$("3021")
