--**************************************************
--ORACLE PL/SQL PACKAGE
--使用ｼｽﾃﾑ名：人事システム
--作成日時  ：2001年05月12日(土) [14:03:09]
--作成者    ：Tamsel (Generator)
--編集者    ：YAMADA
--**************************************************

--ﾊﾟｯｹｰｼﾞ仕様定義部
CREATE OR REPLACE PACKAGE EMP_PACK AS

    --PL/SQLﾃｰﾌﾞﾙ定義(Generated)
    --[DEPT]
    TYPE Array_DEPT_DEPTNO   IS TABLE OF SCOTT.DEPT.DEPTNO%TYPE   INDEX BY BINARY_INTEGER;
    TYPE Array_DEPT_DNAME    IS TABLE OF SCOTT.DEPT.DNAME%TYPE    INDEX BY BINARY_INTEGER;
    TYPE Array_DEPT_LOC      IS TABLE OF SCOTT.DEPT.LOC%TYPE      INDEX BY BINARY_INTEGER;

    --[EMP]
    TYPE Array_EMP_EMPNO    IS TABLE OF SCOTT.EMP.EMPNO%TYPE    INDEX BY BINARY_INTEGER;
    TYPE Array_EMP_ENAME    IS TABLE OF SCOTT.EMP.ENAME%TYPE    INDEX BY BINARY_INTEGER;
    TYPE Array_EMP_JOB      IS TABLE OF SCOTT.EMP.JOB%TYPE      INDEX BY BINARY_INTEGER;
    TYPE Array_EMP_MGR      IS TABLE OF SCOTT.EMP.MGR%TYPE      INDEX BY BINARY_INTEGER;
    TYPE Array_EMP_HIREDATE IS TABLE OF SCOTT.EMP.HIREDATE%TYPE INDEX BY BINARY_INTEGER;
    TYPE Array_EMP_SAL      IS TABLE OF SCOTT.EMP.SAL%TYPE      INDEX BY BINARY_INTEGER;
    TYPE Array_EMP_COMM     IS TABLE OF SCOTT.EMP.COMM%TYPE     INDEX BY BINARY_INTEGER;
    TYPE Array_EMP_DEPTNO   IS TABLE OF SCOTT.EMP.DEPTNO%TYPE   INDEX BY BINARY_INTEGER;

    --[部署マスタ]
    TYPE Array_部署マスタ_部署コード IS TABLE OF SCOTT.部署マスタ.部署コード%TYPE INDEX BY BINARY_INTEGER;
    TYPE Array_部署マスタ_部署名     IS TABLE OF SCOTT.部署マスタ.部署名%TYPE     INDEX BY BINARY_INTEGER;
    TYPE Array_部署マスタ_所在地     IS TABLE OF SCOTT.部署マスタ.所在地%TYPE     INDEX BY BINARY_INTEGER;

    --汎用引数用ﾃｰﾌﾞﾙ定義(Generated)
    TYPE Array_GenStr IS TABLE OF VARCHAR2(40) INDEX BY BINARY_INTEGER;
    TYPE Array_GenNum IS TABLE OF NUMBER       INDEX BY BINARY_INTEGER;

    --追加 PL/SQLﾃｰﾌﾞﾙ(Manual)


    --外部に公開するﾌﾟﾛｼｰｼﾞｬの宣言(Generated)
    PROCEDURE PUB_EMP(
        ouEMP_ErrCode     OUT INTEGER,
        ouEMP_ErrName     OUT VARCHAR2,
        ioEMP_GenStr   IN OUT Array_GenStr,
        inDEPT_ArrayCnt IN     INTEGER,
        inDEPT_DEPTNO   IN     Array_DEPT_DEPTNO,
        inDEPT_DNAME    IN     Array_DEPT_DNAME,
        inDEPT_LOC      IN     Array_DEPT_LOC,
        inEMP_ArrayCnt IN     INTEGER,
        inEMP_EMPNO    IN     Array_EMP_EMPNO,
        inEMP_ENAME    IN     Array_EMP_ENAME,
        inEMP_JOB      IN     Array_EMP_JOB,
        inEMP_MGR      IN     Array_EMP_MGR,
        inEMP_HIREDATE IN     Array_EMP_HIREDATE,
        inEMP_SAL      IN     Array_EMP_SAL,
        inEMP_COMM     IN     Array_EMP_COMM,
        inEMP_DEPTNO   IN     Array_EMP_DEPTNO
        );

    PROCEDURE PUB_ORDER_LOG(
        ouORDER_LOG_ErrCode      OUT INTEGER,
        ouORDER_LOG_ErrName      OUT VARCHAR2,
        inORDER_LOG_LOG_ID    IN     SCOTT.ORDER_LOG.LOG_ID%TYPE,
        inORDER_LOG_AMOUNT    IN     SCOTT.ORDER_LOG.AMOUNT%TYPE,
        inORDER_LOG_LOGGED_AT IN     SCOTT.ORDER_LOG.LOGGED_AT%TYPE,
        inORDER_LOG_DETAIL    IN     SCOTT.ORDER_LOG.DETAIL%TYPE,
        inORDER_LOG_TOKEN     IN     SCOTT.ORDER_LOG.TOKEN%TYPE,
        inORDER_LOG_CANCELED  IN     SCOTT.ORDER_LOG.CANCELED%TYPE
        );

    PROCEDURE PUB_社員台帳(
        ou社員台帳_ErrCode       OUT INTEGER,
        ou社員台帳_ErrName       OUT VARCHAR2,
        io社員台帳_GenStr     IN OUT Array_GenStr,
        io社員台帳_GenNum     IN OUT Array_GenNum,
        in部署マスタ_ArrayCnt   IN     INTEGER,
        in部署マスタ_部署コード IN     Array_部署マスタ_部署コード,
        in部署マスタ_部署名     IN     Array_部署マスタ_部署名,
        in部署マスタ_所在地     IN     Array_部署マスタ_所在地,
        in社員台帳_社員番号   IN     SCOTT.社員台帳.社員番号%TYPE,
        in社員台帳_氏名       IN     SCOTT.社員台帳.氏名%TYPE,
        in社員台帳_フリガナ   IN     SCOTT.社員台帳.フリガナ%TYPE,
        in社員台帳_部署コード IN     SCOTT.社員台帳.部署コード%TYPE,
        in社員台帳_入社年月日 IN     SCOTT.社員台帳.入社年月日%TYPE,
        in社員台帳_基本給     IN     SCOTT.社員台帳.基本給%TYPE,
        in社員台帳_備考       IN     SCOTT.社員台帳.備考%TYPE
        );

    --外部に公開するｸﾞﾛｰﾊﾞﾙ変数(Manual)


END EMP_PACK;
/
SHOW ERRORS

--**************************************************

--ﾊﾟｯｹｰｼﾞﾎﾞﾃﾞｨ部
CREATE OR REPLACE PACKAGE BODY EMP_PACK AS

    --<<ﾊﾟｯｹｰｼﾞ内部のｸﾞﾛｰﾊﾞﾙ変数>>
    --ｶｰｿﾙ用ﾚｺｰﾄﾞ変数(Generated)
    DB_DEPT       SCOTT.DEPT%ROWTYPE;
    DB_EMP        SCOTT.EMP%ROWTYPE;
    DB_ORDER_LOG  SCOTT.ORDER_LOG%ROWTYPE;
    DB_部署マスタ SCOTT.部署マスタ%ROWTYPE;
    DB_社員台帳   SCOTT.社員台帳%ROWTYPE;

    --配列のﾚｺｰﾄﾞ数(Generated)
    dept_RecCnt       INTEGER;
    emp_RecCnt        INTEGER;
    部署マスタ_RecCnt INTEGER;

    --汎用引数用(Generated)
    emp_GenStr        Array_GenStr;
    社員台帳_GenStr   Array_GenStr;
    社員台帳_GenNum   Array_GenNum;

    --自動生成(Generated)
    pp_ErrCode   NUMBER;
    pp_ErrName   VARCHAR2(255);
    pp_OK        CONSTANT INTEGER := 0;

    --ﾃｰﾌﾞﾙ項目変数(Generated)
    --[DEPT]
    dept_deptno   Array_DEPT_DEPTNO;
    dept_dname    Array_DEPT_DNAME;
    dept_loc      Array_DEPT_LOC;

    --[EMP]
    emp_empno    Array_EMP_EMPNO;
    emp_ename    Array_EMP_ENAME;
    emp_job      Array_EMP_JOB;
    emp_mgr      Array_EMP_MGR;
    emp_hiredate Array_EMP_HIREDATE;
    emp_sal      Array_EMP_SAL;
    emp_comm     Array_EMP_COMM;
    emp_deptno   Array_EMP_DEPTNO;

    --[ORDER_LOG]
    order_log_log_id    SCOTT.ORDER_LOG.LOG_ID%TYPE;
    order_log_amount    SCOTT.ORDER_LOG.AMOUNT%TYPE;
    order_log_logged_at SCOTT.ORDER_LOG.LOGGED_AT%TYPE;
    order_log_detail    SCOTT.ORDER_LOG.DETAIL%TYPE;
    order_log_token     SCOTT.ORDER_LOG.TOKEN%TYPE;
    order_log_canceled  SCOTT.ORDER_LOG.CANCELED%TYPE;

    --[部署マスタ]
    部署マスタ_部署コード Array_部署マスタ_部署コード;
    部署マスタ_部署名     Array_部署マスタ_部署名;
    部署マスタ_所在地     Array_部署マスタ_所在地;

    --[社員台帳]
    社員台帳_社員番号   SCOTT.社員台帳.社員番号%TYPE;
    社員台帳_氏名       SCOTT.社員台帳.氏名%TYPE;
    社員台帳_フリガナ   SCOTT.社員台帳.フリガナ%TYPE;
    社員台帳_部署コード SCOTT.社員台帳.部署コード%TYPE;
    社員台帳_入社年月日 SCOTT.社員台帳.入社年月日%TYPE;
    社員台帳_基本給     SCOTT.社員台帳.基本給%TYPE;
    社員台帳_備考       SCOTT.社員台帳.備考%TYPE;

    --追加ｸﾞﾛｰﾊﾞﾙ変数(Manual)


    --自動生成関数定義(Generated)
    FUNCTION UPD_DEPT(id IN  ROWID)       RETURN NUMBER;
    FUNCTION INS_EMP        RETURN NUMBER;
    FUNCTION CLR_部署マスタ RETURN NUMBER;
    FUNCTION SET_部署マスタ(i IN INTEGER) RETURN NUMBER;
    FUNCTION INS_社員台帳   RETURN NUMBER;
    FUNCTION UPD_社員台帳(id IN  ROWID)   RETURN NUMBER;
    FUNCTION CLR_社員台帳   RETURN NUMBER;
    FUNCTION SET_社員台帳   RETURN NUMBER;

    --ｶｽﾀﾏｲｽﾞ対象関数定義(Generated)
    FUNCTION MAIN_EMP        RETURN NUMBER;
    FUNCTION MAIN_ORDER_LOG  RETURN NUMBER;
    FUNCTION MAIN_社員台帳   RETURN NUMBER;

--内部関数ﾎﾞﾃﾞｨ
--**************************************************
--関数名：UPD_DEPT(Generated)
--説明  ：DEPTのデータを更新します
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION UPD_DEPT(id IN ROWID) RETURN NUMBER IS
BEGIN
    UPDATE SCOTT.DEPT SET
        DEPTNO   = DB_DEPT.DEPTNO,
        DNAME    = DB_DEPT.DNAME,
        LOC      = DB_DEPT.LOC
        WHERE ROWID = id;
    return(pp_OK);
EXCEPTION
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：INS_EMP(Generated)
--説明  ：EMPにデータを挿入します
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION INS_EMP RETURN NUMBER IS
BEGIN
    INSERT INTO SCOTT.EMP VALUES (
        DB_EMP.EMPNO,
        DB_EMP.ENAME,
        DB_EMP.JOB,
        DB_EMP.MGR,
        DB_EMP.HIREDATE,
        DB_EMP.SAL,
        DB_EMP.COMM,
        DB_EMP.DEPTNO
    );
    return(pp_OK);
EXCEPTION
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：CLR_部署マスタ(Generated)
--説明  ：部署マスタｶｰｿﾙ用の変数にNULL(数値項目は0)をセット
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION CLR_部署マスタ RETURN NUMBER IS
BEGIN
    DB_部署マスタ.部署コード := NULL;
    DB_部署マスタ.部署名     := NULL;
    DB_部署マスタ.所在地     := NULL;
    return(pp_OK);
EXCEPTION
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：SET_部署マスタ(Generated)
--説明  ：部署マスタｶｰｿﾙ用の変数に指定ﾚｺｰﾄﾞの値をセット
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION SET_部署マスタ(i IN INTEGER) RETURN NUMBER IS
BEGIN
    DB_部署マスタ.部署コード := 部署マスタ_部署コード(i);
    DB_部署マスタ.部署名     := 部署マスタ_部署名(i);
    DB_部署マスタ.所在地     := 部署マスタ_所在地(i);
    return(pp_OK);
EXCEPTION
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：INS_社員台帳(Generated)
--説明  ：社員台帳にデータを挿入します
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION INS_社員台帳 RETURN NUMBER IS
BEGIN
    INSERT INTO SCOTT.社員台帳 VALUES (
        DB_社員台帳.社員番号,
        DB_社員台帳.氏名,
        DB_社員台帳.フリガナ,
        DB_社員台帳.部署コード,
        DB_社員台帳.入社年月日,
        DB_社員台帳.基本給,
        DB_社員台帳.備考
    );
    return(pp_OK);
EXCEPTION
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：UPD_社員台帳(Generated)
--説明  ：社員台帳のデータを更新します
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION UPD_社員台帳(id IN ROWID) RETURN NUMBER IS
BEGIN
    UPDATE SCOTT.社員台帳 SET
        社員番号   = DB_社員台帳.社員番号,
        氏名       = DB_社員台帳.氏名,
        フリガナ   = DB_社員台帳.フリガナ,
        部署コード = DB_社員台帳.部署コード,
        入社年月日 = DB_社員台帳.入社年月日,
        基本給     = DB_社員台帳.基本給,
        備考       = DB_社員台帳.備考
        WHERE ROWID = id;
    return(pp_OK);
EXCEPTION
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：CLR_社員台帳(Generated)
--説明  ：社員台帳ｶｰｿﾙ用の変数にNULL(数値項目は0)をセット
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION CLR_社員台帳 RETURN NUMBER IS
BEGIN
    DB_社員台帳.社員番号   := 0;
    DB_社員台帳.氏名       := NULL;
    DB_社員台帳.フリガナ   := NULL;
    DB_社員台帳.部署コード := NULL;
    DB_社員台帳.入社年月日 := NULL;
    DB_社員台帳.基本給     := 0;
    DB_社員台帳.備考       := NULL;
    return(pp_OK);
EXCEPTION
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：SET_社員台帳(Generated)
--説明  ：社員台帳ｶｰｿﾙ用の変数に指定ﾚｺｰﾄﾞの値をセット
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION SET_社員台帳 RETURN NUMBER IS
BEGIN
    DB_社員台帳.社員番号   := 社員台帳_社員番号;
    DB_社員台帳.氏名       := 社員台帳_氏名;
    DB_社員台帳.フリガナ   := 社員台帳_フリガナ;
    DB_社員台帳.部署コード := 社員台帳_部署コード;
    DB_社員台帳.入社年月日 := 社員台帳_入社年月日;
    DB_社員台帳.基本給     := 社員台帳_基本給;
    DB_社員台帳.備考       := 社員台帳_備考;
    return(pp_OK);
EXCEPTION
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：PUB_EMP(Generated)
--説明  ：外部から呼び出す関数
--      ：ｶｽﾀﾏｲｽﾞ対象関数[MAIN_EMP]をコール
--戻り値：0=正常　0以外=エラー
--**************************************************

PROCEDURE PUB_EMP(
    ouEMP_ErrCode     OUT INTEGER,
    ouEMP_ErrName     OUT VARCHAR2,
    ioEMP_GenStr   IN OUT Array_GenStr,
    inDEPT_ArrayCnt IN     INTEGER,
    inDEPT_DEPTNO   IN     Array_DEPT_DEPTNO,
    inDEPT_DNAME    IN     Array_DEPT_DNAME,
    inDEPT_LOC      IN     Array_DEPT_LOC,
    inEMP_ArrayCnt IN     INTEGER,
    inEMP_EMPNO    IN     Array_EMP_EMPNO,
    inEMP_ENAME    IN     Array_EMP_ENAME,
    inEMP_JOB      IN     Array_EMP_JOB,
    inEMP_MGR      IN     Array_EMP_MGR,
    inEMP_HIREDATE IN     Array_EMP_HIREDATE,
    inEMP_SAL      IN     Array_EMP_SAL,
    inEMP_COMM     IN     Array_EMP_COMM,
    inEMP_DEPTNO   IN     Array_EMP_DEPTNO
    ) IS

BEGIN
    --引数をｸﾞﾛｰﾊﾞﾙ変数にセット
    for I in ioEMP_GenStr.FIRST..ioEMP_GenStr.LAST loop
        EMP_GenStr(I) := ioEMP_GenStr(I);
    end loop;
    dept_RecCnt       := inDEPT_ArrayCnt;
    emp_RecCnt        := inEMP_ArrayCnt;

    --[DEPT]
    for I in 1..dept_RecCnt loop
        dept_deptno(I)   := inDEPT_DEPTNO(I);
        dept_dname(I)    := inDEPT_DNAME(I);
        dept_loc(I)      := inDEPT_LOC(I);
    end loop;

    --[EMP]
    for I in 1..emp_RecCnt loop
        emp_empno(I)    := inEMP_EMPNO(I);
        emp_ename(I)    := inEMP_ENAME(I);
        emp_job(I)      := inEMP_JOB(I);
        emp_mgr(I)      := inEMP_MGR(I);
        emp_hiredate(I) := inEMP_HIREDATE(I);
        emp_sal(I)      := inEMP_SAL(I);
        emp_comm(I)     := inEMP_COMM(I);
        emp_deptno(I)   := inEMP_DEPTNO(I);
    end loop;

    --カスタマイズ対象サブ呼出
    pp_ErrCode := MAIN_EMP;
    if pp_ErrCode = pp_OK then
        COMMIT;
    else
        ROLLBACK;
    end if;
    ouEMP_ErrCode := pp_ErrCode;
    ouEMP_ErrName := pp_ErrName;
    for I in ioEMP_GenStr.FIRST..ioEMP_GenStr.LAST loop
        ioEMP_GenStr(I) := EMP_GenStr(I);
    end loop;

EXCEPTION
    when others then
        ouEMP_ErrCode := SQLCODE;
        ouEMP_ErrName := SQLERRM;
        ROLLBACK;
END;

--**************************************************
--関数名：PUB_ORDER_LOG(Generated)
--説明  ：外部から呼び出す関数
--      ：ｶｽﾀﾏｲｽﾞ対象関数[MAIN_ORDER_LOG]をコール
--戻り値：0=正常　0以外=エラー
--**************************************************

PROCEDURE PUB_ORDER_LOG(
    ouORDER_LOG_ErrCode      OUT INTEGER,
    ouORDER_LOG_ErrName      OUT VARCHAR2,
    inORDER_LOG_LOG_ID    IN     SCOTT.ORDER_LOG.LOG_ID%TYPE,
    inORDER_LOG_AMOUNT    IN     SCOTT.ORDER_LOG.AMOUNT%TYPE,
    inORDER_LOG_LOGGED_AT IN     SCOTT.ORDER_LOG.LOGGED_AT%TYPE,
    inORDER_LOG_DETAIL    IN     SCOTT.ORDER_LOG.DETAIL%TYPE,
    inORDER_LOG_TOKEN     IN     SCOTT.ORDER_LOG.TOKEN%TYPE,
    inORDER_LOG_CANCELED  IN     SCOTT.ORDER_LOG.CANCELED%TYPE
    ) IS

BEGIN
    --[ORDER_LOG]
    order_log_log_id    := inORDER_LOG_LOG_ID;
    order_log_amount    := inORDER_LOG_AMOUNT;
    order_log_logged_at := inORDER_LOG_LOGGED_AT;
    order_log_detail    := inORDER_LOG_DETAIL;
    order_log_token     := inORDER_LOG_TOKEN;
    order_log_canceled  := inORDER_LOG_CANCELED;

    --カスタマイズ対象サブ呼出
    pp_ErrCode := MAIN_ORDER_LOG;
    if pp_ErrCode = pp_OK then
        COMMIT;
    else
        ROLLBACK;
    end if;
    ouORDER_LOG_ErrCode := pp_ErrCode;
    ouORDER_LOG_ErrName := pp_ErrName;

EXCEPTION
    when others then
        ouORDER_LOG_ErrCode := SQLCODE;
        ouORDER_LOG_ErrName := SQLERRM;
        ROLLBACK;
END;

--**************************************************
--関数名：PUB_社員台帳(Generated)
--説明  ：外部から呼び出す関数
--      ：ｶｽﾀﾏｲｽﾞ対象関数[MAIN_社員台帳]をコール
--戻り値：0=正常　0以外=エラー
--**************************************************

PROCEDURE PUB_社員台帳(
    ou社員台帳_ErrCode       OUT INTEGER,
    ou社員台帳_ErrName       OUT VARCHAR2,
    io社員台帳_GenStr     IN OUT Array_GenStr,
    io社員台帳_GenNum     IN OUT Array_GenNum,
    in部署マスタ_ArrayCnt   IN     INTEGER,
    in部署マスタ_部署コード IN     Array_部署マスタ_部署コード,
    in部署マスタ_部署名     IN     Array_部署マスタ_部署名,
    in部署マスタ_所在地     IN     Array_部署マスタ_所在地,
    in社員台帳_社員番号   IN     SCOTT.社員台帳.社員番号%TYPE,
    in社員台帳_氏名       IN     SCOTT.社員台帳.氏名%TYPE,
    in社員台帳_フリガナ   IN     SCOTT.社員台帳.フリガナ%TYPE,
    in社員台帳_部署コード IN     SCOTT.社員台帳.部署コード%TYPE,
    in社員台帳_入社年月日 IN     SCOTT.社員台帳.入社年月日%TYPE,
    in社員台帳_基本給     IN     SCOTT.社員台帳.基本給%TYPE,
    in社員台帳_備考       IN     SCOTT.社員台帳.備考%TYPE
    ) IS

BEGIN
    --引数をｸﾞﾛｰﾊﾞﾙ変数にセット
    for I in io社員台帳_GenStr.FIRST..io社員台帳_GenStr.LAST loop
        社員台帳_GenStr(I) := io社員台帳_GenStr(I);
    end loop;
    for I in io社員台帳_GenNum.FIRST..io社員台帳_GenNum.LAST loop
        社員台帳_GenNum(I) := io社員台帳_GenNum(I);
    end loop;
    部署マスタ_RecCnt := in部署マスタ_ArrayCnt;

    --[部署マスタ]
    for I in 1..部署マスタ_RecCnt loop
        部署マスタ_部署コード(I) := in部署マスタ_部署コード(I);
        部署マスタ_部署名(I)     := in部署マスタ_部署名(I);
        部署マスタ_所在地(I)     := in部署マスタ_所在地(I);
    end loop;

    --[社員台帳]
    社員台帳_社員番号   := in社員台帳_社員番号;
    社員台帳_氏名       := in社員台帳_氏名;
    社員台帳_フリガナ   := in社員台帳_フリガナ;
    社員台帳_部署コード := in社員台帳_部署コード;
    社員台帳_入社年月日 := in社員台帳_入社年月日;
    社員台帳_基本給     := in社員台帳_基本給;
    社員台帳_備考       := in社員台帳_備考;

    --カスタマイズ対象サブ呼出
    pp_ErrCode := MAIN_社員台帳;
    if pp_ErrCode = pp_OK then
        COMMIT;
    else
        ROLLBACK;
    end if;
    ou社員台帳_ErrCode := pp_ErrCode;
    ou社員台帳_ErrName := pp_ErrName;
    for I in io社員台帳_GenStr.FIRST..io社員台帳_GenStr.LAST loop
        io社員台帳_GenStr(I) := 社員台帳_GenStr(I);
    end loop;
    for I in io社員台帳_GenNum.FIRST..io社員台帳_GenNum.LAST loop
        io社員台帳_GenNum(I) := 社員台帳_GenNum(I);
    end loop;

EXCEPTION
    when others then
        ou社員台帳_ErrCode := SQLCODE;
        ou社員台帳_ErrName := SQLERRM;
        ROLLBACK;
END;

--**************************************************
--関数名：MAIN_EMP(Manual)
--説明  ：ｶｽﾀﾏｲｽﾞ対象関数
--      ：PUB_EMPから呼び出し
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION MAIN_EMP RETURN NUMBER IS
    --ここにﾌﾟﾗｲﾍﾞｰﾄ変数やｶｰｿﾙを宣言します
    pp_MyErr  EXCEPTION;  --関数呼出時のｴﾗｰ

    --関数呼出のｽｹﾙﾄﾝ
    --pp_ErrCode := INS_EMP; --(呼び出す関数名)
    --if pp_ErrCode <> pp_OK then
    --    raise pp_MyErr;
    --end if;

BEGIN
    --ここに処理を書きます



    return(pp_OK);
EXCEPTION
    when pp_MyErr then
        return(pp_ErrCode);
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：MAIN_ORDER_LOG(Manual)
--説明  ：ｶｽﾀﾏｲｽﾞ対象関数
--      ：PUB_ORDER_LOGから呼び出し
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION MAIN_ORDER_LOG RETURN NUMBER IS
    --ここにﾌﾟﾗｲﾍﾞｰﾄ変数やｶｰｿﾙを宣言します
    pp_MyErr  EXCEPTION;  --関数呼出時のｴﾗｰ

    --関数呼出のｽｹﾙﾄﾝ
    --pp_ErrCode := INS_ORDER_LOG; --(呼び出す関数名)
    --if pp_ErrCode <> pp_OK then
    --    raise pp_MyErr;
    --end if;

BEGIN
    --ここに処理を書きます



    return(pp_OK);
EXCEPTION
    when pp_MyErr then
        return(pp_ErrCode);
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

--**************************************************
--関数名：MAIN_社員台帳(Manual)
--説明  ：ｶｽﾀﾏｲｽﾞ対象関数
--      ：PUB_社員台帳から呼び出し
--戻り値：0=正常　0以外=エラー
--**************************************************

FUNCTION MAIN_社員台帳 RETURN NUMBER IS
    --ここにﾌﾟﾗｲﾍﾞｰﾄ変数やｶｰｿﾙを宣言します
    pp_MyErr  EXCEPTION;  --関数呼出時のｴﾗｰ

    --関数呼出のｽｹﾙﾄﾝ
    --pp_ErrCode := INS_社員台帳; --(呼び出す関数名)
    --if pp_ErrCode <> pp_OK then
    --    raise pp_MyErr;
    --end if;

BEGIN
    --ここに処理を書きます



    return(pp_OK);
EXCEPTION
    when pp_MyErr then
        return(pp_ErrCode);
    when others then
        pp_ErrName := SQLERRM;
        return(SQLCODE);
END;

END EMP_PACK;
/
SHOW ERRORS
COMMIT;
