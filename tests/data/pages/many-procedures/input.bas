Sub S1()
End Sub
Sub S2()
End Sub
Sub S3()
End Sub
Sub S4()
End Sub
Sub S5()
End Sub
Sub S6()
End Sub
Sub S7()
End Sub
Sub S8()
End Sub
Sub S9()
End Sub
Sub S10()
End Sub
Sub S11()
End Sub
Sub S12()
End Sub
Sub S13()
End Sub
Sub S14()
End Sub
Sub S15()
End Sub
Sub S16()
End Sub
Sub S17()
End Sub
Sub S18()
End Sub
Sub S19()
End Sub
Sub S20()
End Sub
Sub S21()
End Sub
Sub S22()
End Sub
Sub S23()
End Sub
Sub S24()
End Sub
Sub S25()
End Sub
Sub S26()
End Sub
Sub S27()
End Sub
Sub S28()
End Sub
Sub S29()
End Sub
Sub S30()
End Sub
Sub S31()
End Sub
Sub S32()
End Sub
Sub S33()
End Sub
Sub S34()
End Sub
Sub S35()
End Sub
Sub S36()
End Sub
Sub S37()
End Sub
Sub S38()
End Sub
Sub S39()
End Sub
Sub S40()
End Sub
Sub S41()
End Sub
Sub S42()
End Sub
Sub S43()
End Sub
Sub S44()
End Sub
Sub S45()
End Sub
Sub S46()
End Sub
Sub S47()
End Sub
Sub S48()
End Sub
Sub S49()
End Sub
Sub S50()
End Sub
Sub S51()
End Sub
Sub S52()
End Sub
Sub S53()
End Sub
Sub S54()
End Sub
Sub S55()
End Sub
Sub S56()
End Sub
Sub S57()
End Sub
Sub S58()
End Sub
Sub S59()
End Sub
Sub S60()
End Sub
Sub S61()
End Sub
Sub S62()
End Sub
Sub S63()
End Sub
Sub S64()
End Sub
Sub S65()
End Sub
Sub S66()
End Sub
Sub S67()
End Sub
Sub S68()
End Sub
Sub S69()
End Sub
Sub S70()
End Sub
Sub S71()
End Sub
Sub S72()
End Sub
Sub S73()
End Sub
Sub S74()
End Sub
Sub S75()
End Sub
Sub S76()
End Sub
Sub S77()
End Sub
Sub S78()
End Sub
Sub S79()
End Sub
Sub S80()
End Sub
Sub S81()
End Sub
Sub S82()
End Sub
Sub S83()
End Sub
Sub S84()
End Sub
Sub S85()
End Sub
Sub S86()
End Sub
Sub S87()
End Sub
Sub S88()
End Sub
Sub S89()
End Sub
Sub S90()
End Sub
Sub S91()
End Sub
Sub S92()
End Sub
Sub S93()
End Sub
Sub S94()
End Sub
Sub S95()
End Sub
Sub S96()
End Sub
Sub S97()
End Sub
Sub S98()
End Sub
Sub S99()
End Sub
Sub S100()
End Sub
Sub S101()
End Sub
Function F1() As Long
End Function
Function F2() As Long
End Function
Function F3() As Long
End Function
Function F4() As Long
End Function
Function F5() As Long
End Function
Function F6() As Long
End Function
Function F7() As Long
End Function
Function F8() As Long
End Function
Function F9() As Long
End Function
Function F10() As Long
End Function
Function F11() As Long
End Function
Function F12() As Long
End Function
Function F13() As Long
End Function
Function F14() As Long
End Function
Function F15() As Long
End Function
Function F16() As Long
End Function
Function F17() As Long
End Function
Function F18() As Long
End Function
Function F19() As Long
End Function
Function F20() As Long
End Function
Function F21() As Long
End Function
Function F22() As Long
End Function
Function F23() As Long
End Function
Function F24() As Long
End Function
Function F25() As Long
End Function
Function F26() As Long
End Function
Function F27() As Long
End Function
Function F28() As Long
End Function
Function F29() As Long
End Function
Function F30() As Long
End Function
Function F31() As Long
End Function
Function F32() As Long
End Function
Function F33() As Long
End Function
Function F34() As Long
End Function
Function F35() As Long
End Function
Function F36() As Long
End Function
Function F37() As Long
End Function
Function F38() As Long
End Function
Function F39() As Long
End Function
Function F40() As Long
End Function
Function F41() As Long
End Function
Function F42() As Long
End Function
Function F43() As Long
End Function
Function F44() As Long
End Function
Function F45() As Long
End Function
Function F46() As Long
End Function
Function F47() As Long
End Function
Function F48() As Long
End Function
Function F49() As Long
End Function
Function F50() As Long
End Function
Function F51() As Long
End Function
Function F52() As Long
End Function
Function F53() As Long
End Function
Function F54() As Long
End Function
Function F55() As Long
End Function
Function F56() As Long
End Function
Function F57() As Long
End Function
Function F58() As Long
End Function
Function F59() As Long
End Function
Function F60() As Long
End Function
Function F61() As Long
End Function
Function F62() As Long
End Function
Function F63() As Long
End Function
Function F64() As Long
End Function
Function F65() As Long
End Function
Function F66() As Long
End Function
Function F67() As Long
End Function
Function F68() As Long
End Function
Function F69() As Long
End Function
Function F70() As Long
End Function
Function F71() As Long
End Function
Function F72() As Long
End Function
Function F73() As Long
End Function
Function F74() As Long
End Function
Function F75() As Long
End Function
Function F76() As Long
End Function
Function F77() As Long
End Function
Function F78() As Long
End Function
Function F79() As Long
End Function
Function F80() As Long
End Function
Function F81() As Long
End Function
Function F82() As Long
End Function
Function F83() As Long
End Function
Function F84() As Long
End Function
Function F85() As Long
End Function
Function F86() As Long
End Function
Function F87() As Long
End Function
Function F88() As Long
End Function
Function F89() As Long
End Function
Function F90() As Long
End Function
Function F91() As Long
End Function
Function F92() As Long
End Function
Function F93() As Long
End Function
Function F94() As Long
End Function
Function F95() As Long
End Function
Function F96() As Long
End Function
Function F97() As Long
End Function
Function F98() As Long
End Function
Function F99() As Long
End Function
Function F100() As Long
End Function
