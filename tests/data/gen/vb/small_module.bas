Attribute VB_Name = "MOD_ParamSet"
Option Explicit
'============================================================
'オラクルパッケージ呼出モジュール
'作成日時  ：2001年05月12日(土) [14:03:09]
'作成者    ：Tamsel (Generator)
'編集者    ：山田
'
'※注意点
'1 OraDataBaseオブジェクト名を仮に[ppOraDB]としてあります。
'  [ppOraDB]を実際に使用している名称に置換して下さい。
'2 コード内、コメントになっている部分は
'  必要な所だけコメントを外して使用して下さい。
'3 現在対応しているORATYPEはCHAR,VARCHAR,VARCHAR2,DATE,NUMBERです。
'  それ以外は[ORATYPE_UNKNOWN]としてあります。置換して下さい。
'4 [++++]で囲まれた部分はカスタマイズポイントです。
'5 関数内でのエラーは[12345678]を返します。※数値変更可
'============================================================

'Parameter Types
Public Const ORAPARM_INPUT = 1
Public Const ORAPARM_OUTPUT = 2
Public Const ORAPARM_BOTH = 3

'Oracle Type Codes
Public Const ORATYPE_VARCHAR2 = 1
Public Const ORATYPE_NUMBER = 2
'Public Const ORATYPE_SINT = 3
'Public Const ORATYPE_FLOAT = 4
'Public Const ORATYPE_STRING = 5
'Public Const ORATYPE_DECIMAL = 7
Public Const ORATYPE_VARCHAR = 9
Public Const ORATYPE_DATE = 12
'Public Const ORATYPE_REAL = 21
'Public Const ORATYPE_DOUBLE = 22
'Public Const ORATYPE_UNSIGNED8 = 23
'Public Const ORATYPE_UNSIGNED16 = 25
'Public Const ORATYPE_UNSIGNED32 = 26
'Public Const ORATYPE_SIGNED8 = 27
'Public Const ORATYPE_SIGNED16 = 28
'Public Const ORATYPE_SIGNED32 = 29
'Public Const ORATYPE_PTR = 32
'Public Const ORATYPE_OPAQUE = 58
'Public Const ORATYPE_UINT = 68
'Public Const ORATYPE_RAW = 95
Public Const ORATYPE_CHAR = 96
'Public Const ORATYPE_CHARZ = 97
'Public Const ORATYPE_CURSOR = 102
'Public Const ORATYPE_ROWID = 104
'Public Const ORATYPE_MLSLABEL = 105
'Public Const ORATYPE_OBJECT = 108
'Public Const ORATYPE_REF = 110
'Public Const ORATYPE_CLOB = 112
'Public Const ORATYPE_BLOB = 113
'Public Const ORATYPE_BFILE = 114
'Public Const ORATYPE_CFILE = 115
'Public Const ORATYPE_RSLT = 116
'Public Const ORATYPE_NAMEDCOLLECTION = 122
'Public Const ORATYPE_COLL = 122
'Public Const ORATYPE_SYSFIRST = 228
'Public Const ORATYPE_SYSLAST = 235
'Public Const ORATYPE_OCTET = 245
'Public Const ORATYPE_SMALLINT = 246
'Public Const ORATYPE_VARRAY = 247
'Public Const ORATYPE_TABLE = 248
'Public Const ORATYPE_OTMLAST = 320

Public Function Call_Package() as Long
'************************************************************
'関数名:パッケージ呼出[EMP]
'引数  :
'戻り値:パッケージエラーコード
'機能  :
'************************************************************

Dim ppOraParam As OraParameters
Dim ppSQL      As String
Dim Rtn        As Long
Dim i          As Integer
Dim ppMsg      As String
Dim ppParamStr As OraParamArray '汎用引数(文字列)
Dim ppParamNum As OraParamArray '汎用引数(数値)

'DEPTパラメータ用
Dim rcDEPT As Integer 'レコード数
Dim ppDEPT_DEPTNO        As OraParamArray
Dim ppDEPT_DNAME         As OraParamArray
Dim ppDEPT_DEPT_LOCATION As OraParamArray

On Error GoTo ParamSetErr
	Call_Package = 0
	ppMsg = "レコード数設定中"
	'配列レコード数を設定++++++++++
	rcDEPT = 0
	'++++++++++++++++++++++++++++++

	ppMsg = "パラメータ準備中"
	Set ppOraParam = ppOraDB.Parameters
	With ppOraParam
		.Add "EMP_ErrCode", 0, ORAPARM_OUTPUT, ORATYPE_NUMBER
		.Add "EMP_ErrName", vbNullString, ORAPARM_OUTPUT, ORATYPE_VARCHAR2
		.AddTable "EMP_GenStr", ORAPARM_BOTH, ORATYPE_VARCHAR2, 2, 30
		.AddTable "EMP_GenNum", ORAPARM_BOTH, ORATYPE_NUMBER, 1

		'[EMP]
		.Add "EMP_EMPNO", 0, ORAPARM_INPUT, ORATYPE_NUMBER
		.Add "EMP_ENAME", vbNullString, ORAPARM_INPUT, ORATYPE_VARCHAR2
		.Add "EMP_HIREDATE", vbNullString, ORAPARM_INPUT, ORATYPE_DATE
		.Add "EMP_NOTE", vbNullString, ORAPARM_INPUT, ORATYPE_UNKNOWN

		'[DEPT]
		.Add "DEPT_ArrayCnt", 0, ORAPARM_INPUT, ORATYPE_NUMBER
		.AddTable "DEPT_DEPTNO", ORAPARM_INPUT, ORATYPE_NUMBER, rcDEPT
		.AddTable "DEPT_DNAME", ORAPARM_INPUT, ORATYPE_VARCHAR2, rcDEPT, 14
		.AddTable "DEPT_DEPT_LOCATION", ORAPARM_INPUT, ORATYPE_CHAR, rcDEPT, 13
	End With

	ppMsg = "配列オブジェクトセット中"
	'[DEPT]
	Set ppDEPT_DEPTNO        = ppOraParam("DEPT_DEPTNO")
	Set ppDEPT_DNAME         = ppOraParam("DEPT_DNAME")
	Set ppDEPT_DEPT_LOCATION = ppOraParam("DEPT_DEPT_LOCATION")

	Set ppParamStr = ppOraParam("EMP_GenStr")
	Set ppParamNum = ppOraParam("EMP_GenNum")

	ppMsg = "SQL作成中"
	ppSQL = "Begin EMP_PACK.PUB_EMP("
	ppSQL = ppSQL & ":EMP_ErrCode,"
	ppSQL = ppSQL & ":EMP_ErrName,"
	ppSQL = ppSQL & ":EMP_GenStr,"
	ppSQL = ppSQL & ":EMP_GenNum,"
	ppSQL = ppSQL & ":EMP_EMPNO,"
	ppSQL = ppSQL & ":EMP_ENAME,"
	ppSQL = ppSQL & ":EMP_HIREDATE,"
	ppSQL = ppSQL & ":EMP_NOTE,"
	ppSQL = ppSQL & ":DEPT_ArrayCnt,"
	ppSQL = ppSQL & ":DEPT_DEPTNO,"
	ppSQL = ppSQL & ":DEPT_DNAME,"
	ppSQL = ppSQL & ":DEPT_DEPT_LOCATION"
	ppSQL = ppSQL & "); END;"

	'データセット++++++++++++++++++++++++++++++++++++++
	'汎用文字列(30桁以内)
	ppParamStr(0) = vbNullString
	ppParamStr(1) = vbNullString
	'汎用数値
	ppParamNum(0) = 0

	ppMsg = "EMPパラメータセット中"
	ppOraParam("EMP_EMPNO").Value    = 0
	ppOraParam("EMP_ENAME").Value    = vbNullString
	ppOraParam("EMP_HIREDATE").Value = vbNullString
	ppOraParam("EMP_NOTE").Value     = vbNullString

	ppMsg = "DEPTパラメータセット中"
	ppOraParam("DEPT_ArrayCnt").Value = rcDEPT
	For i = 0 To rcDEPT - 1 Step 1
		ppDEPT_DEPTNO(i)        = 0
		ppDEPT_DNAME(i)         = vbNullString
		ppDEPT_DEPT_LOCATION(i) = vbNullString
	Next i
	'++++++++++++++++++++++++++++++++++++++++++++++++++

	ppMsg = "パッケージ処理中"
	Call ppOraDB.ExecuteSQL(ppSQL)
	If ppOraParam("EMP_ErrCode").Value = 0 Then
		'正常終了処理++++++++++++++++++++++++++++++++++++++


		'++++++++++++++++++++++++++++++++++++++++++++++++++
	Else
		'異常終了処理++++++++++++++++++++++++++++++++++++++

		Call_Package = ppOraParam("EMP_ErrCode").Value
		'MsgBox "パッケージエラー：" & vbCrLf & ppOraParam("EMP_ErrName").Value, vbCritical, App.Title
		'++++++++++++++++++++++++++++++++++++++++++++++++++
	End If

	ppMsg = "パラメータ解放中"
	Do While (ppOraParam.Count > 0)
		ppOraParam.Remove(0)
	Loop
	Set ppOraParam = Nothing
	Exit Function

ParamSetErr:
'エラー処理
	On Error Resume Next
	Call_Package = 12345678 '数値変更可
	Do While (ppOraParam.Count > 0)
		ppOraParam.Remove(0)
	Loop
	Set ppOraParam = Nothing
	'MsgBox ppMsg & "にエラーが発生しました" & vbCrLf & Err.Description, vbCritical, App.Title
End Function
